#include "files/SectionDesignKeys.h"

#include <cmath>

namespace channel {

namespace section_design_keys {

namespace {

constexpr char kGrade[] = "grade";

// The keys whose values are numbers, with the member each fills.
struct NumberKey {
    const char* key;
    std::optional<double> DesignAllowances::*member;
};
constexpr NumberKey kNumberKeys[] = {
    {"increasePercent", &DesignAllowances::increasePercent},
    {"enlargedDischarge", &DesignAllowances::enlargedDischarge},
    {"freeboard", &DesignAllowances::freeboard},
    {"minimumDischarge", &DesignAllowances::minimumDischarge},
    {"nonScouringVelocity", &DesignAllowances::scourLimit},
    {"nonSiltingVelocity", &DesignAllowances::siltLimit},
    {"widthStep", &DesignAllowances::widthStep},
    {"depthStep", &DesignAllowances::depthStep},
};

bool IsWholeNumber(const QJsonValue& value) {
    const double number = value.toDouble();
    return value.isDouble() && number == std::trunc(number) && std::fabs(number) <= 1e9;
}

}  // namespace

std::optional<QString> TypeFault(const QJsonObject& object, int row) {
    const QString fault = QStringLiteral("第 %1 行的断面设计数据“%2”不是数值。");
    for (const NumberKey& entry : kNumberKeys) {
        const QJsonValue value = object.value(QLatin1String(entry.key));
        if (!value.isUndefined() && !value.isDouble())
            return fault.arg(row).arg(QLatin1String(entry.key));
    }
    const QJsonValue grade = object.value(QLatin1String(kGrade));
    if (!grade.isUndefined() && !IsWholeNumber(grade))
        return fault.arg(row).arg(QLatin1String(kGrade));
    return std::nullopt;
}

DesignAllowances Read(const QJsonObject& object) {
    DesignAllowances allowances;
    for (const NumberKey& entry : kNumberKeys) {
        const QJsonValue value = object.value(QLatin1String(entry.key));
        if (value.isDouble()) allowances.*entry.member = value.toDouble();
    }
    const QJsonValue grade = object.value(QLatin1String(kGrade));
    if (IsWholeNumber(grade)) allowances.grade = grade.toInt();
    return allowances;
}

QJsonObject Written(const DesignAllowances& allowances, QJsonObject kept) {
    for (const NumberKey& entry : kNumberKeys) {
        const std::optional<double>& value = allowances.*entry.member;
        if (value) {
            kept.insert(QLatin1String(entry.key), *value);
        } else {
            kept.remove(QLatin1String(entry.key));
        }
    }
    if (allowances.grade) {
        kept.insert(QLatin1String(kGrade), *allowances.grade);
    } else {
        kept.remove(QLatin1String(kGrade));
    }
    return kept;
}

}  // namespace section_design_keys

}  // namespace channel
