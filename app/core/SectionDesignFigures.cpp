#include "app/core/SectionDesignFigures.h"

#include <cmath>

namespace channel {

namespace {

QString Fixed(double value, int decimals) {
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QString();
}

SectionDetails::Value Line(const char* name, const char* symbol, const QString& number,
                           const char* unit) {
    return {QString::fromUtf8(name), QString::fromUtf8(symbol), number, QString::fromUtf8(unit)};
}

}  // namespace

QString VelocityVerdict(const VelocityCheck& check, bool upper) {
    const QString comparison =
        QStringLiteral("%1 %2 %3，")
            .arg(Fixed(check.velocity, 3),
                 upper ? (check.holds ? QStringLiteral("≤") : QStringLiteral(">"))
                       : (check.holds ? QStringLiteral("≥") : QStringLiteral("<")),
                 Fixed(check.limit, 3));
    if (check.holds) return comparison + QStringLiteral("满足");
    return comparison + (upper ? QStringLiteral("超出 %1 m/s") : QStringLiteral("不足 %1 m/s"))
                            .arg(Fixed(check.excess, 3));
}

QList<SectionDetails::Value> DesignFigures(const DesignChecks& c) {
    QList<SectionDetails::Value> lines;
    lines.append({QStringLiteral("断面设计（加大流量、超高与渠深）"), {}, {}, {}});
    lines.append(Line("加大百分数", "p", Fixed(c.increasePercent, 1), "%"));
    lines.append(Line("加大流量", "Q加大", Fixed(c.enlargedDischarge, 4), "m³/s"));
    lines.append(Line("加大水深", "hb", Fixed(c.enlargedDepth, 4), "m"));
    lines.append(Line("加大流速", "v加大", Fixed(c.enlargedVelocity, 4), "m/s"));
    if (c.freeboard) {
        lines.append(Line("岸顶超高", "Fb", Fixed(*c.freeboard, 4), "m"));
    } else {
        lines.append(Line("岸顶超高", "Fb", QStringLiteral("须经论证，请输入"), ""));
    }
    if (c.canalDepth) lines.append(Line("渠深", "H", Fixed(*c.canalDepth, 2), "m"));
    if (c.minimumDepth) lines.append(Line("最小流量水深", "h最小", Fixed(*c.minimumDepth, 4), "m"));
    if (c.scour) lines.append(Line("不冲流速校核", "v加大", VelocityVerdict(*c.scour, true), ""));
    if (c.silt) lines.append(Line("不淤流速校核", "v最小", VelocityVerdict(*c.silt, false), ""));
    return lines;
}

}  // namespace channel
