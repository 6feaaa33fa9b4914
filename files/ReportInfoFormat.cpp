#include "files/ReportInfoFormat.h"

namespace channel {

namespace element_file {
namespace {

struct Field {
    const char* key;
    QString ReportInfo::*member;
};

const Field kFields[] = {
    {"project", &ReportInfo::project},     {"canal", &ReportInfo::canal},
    {"stage", &ReportInfo::stage},         {"computedBy", &ReportInfo::computedBy},
    {"checkedBy", &ReportInfo::checkedBy}, {"approvedBy", &ReportInfo::approvedBy},
    {"date", &ReportInfo::date},
};

}  // namespace

QJsonObject ReportInfoToJson(const ReportInfo& info) {
    QJsonObject object;
    for (const Field& field : kFields) {
        const QString& text = info.*field.member;
        if (!text.isEmpty()) object.insert(QLatin1String(field.key), text);
    }
    return object;
}

std::optional<ReportInfo> ReportInfoFromJson(const QJsonValue& value) {
    if (!value.isObject()) return std::nullopt;
    const QJsonObject object = value.toObject();
    ReportInfo info;
    qsizetype known = 0;
    for (const Field& field : kFields) {
        const QJsonValue text = object.value(QLatin1String(field.key));
        if (text.isUndefined()) continue;
        if (!text.isString()) return std::nullopt;
        info.*field.member = text.toString();
        ++known;
    }
    // A name this version does not know would be lost on the next save.
    if (known != object.size()) return std::nullopt;
    return info;
}

}  // namespace element_file

}  // namespace channel
