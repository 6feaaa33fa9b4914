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
    const QString velocity = Fixed(check.velocity, 3) + QStringLiteral(" m/s");
    if (check.holds) return velocity + QStringLiteral(" 满足");
    return velocity + (upper ? QStringLiteral(" 超 %1") : QStringLiteral(" 差 %1"))
                          .arg(Fixed(check.excess, 3));
}

QList<SectionDetails::Value> DesignFigures(const DesignChecks& c, bool withPercent) {
    QList<SectionDetails::Value> lines;
    lines.append({QStringLiteral("断面设计"), {}, {}, {}});
    if (withPercent) lines.append(Line("加大百分数", "p", Fixed(c.increasePercent, 1), "%"));
    lines.append(Line("加大流量", "Q加大", Fixed(c.enlargedDischarge, 4), "m³/s"));
    lines.append(Line("加大水深", "hb", Fixed(c.enlargedDepth, 4), "m"));
    lines.append(Line("加大流速", "v加大", Fixed(c.enlargedVelocity, 4), "m/s"));
    if (c.freeboard) {
        lines.append(Line("岸顶超高", "Fb", Fixed(*c.freeboard, 4), "m"));
    } else {
        lines.append(Line("岸顶超高", "Fb", QStringLiteral("须经论证，请输入"), ""));
    }
    if (c.canalDepth) lines.append(Line("渠深", "H", Fixed(*c.canalDepth, 2), "m"));
    if (c.minimumDepth) lines.append(Line("最小水深", "h最小", Fixed(*c.minimumDepth, 4), "m"));
    if (c.scour) lines.append(Line("不冲校核", "v加大", VelocityVerdict(*c.scour, true), ""));
    if (c.silt) lines.append(Line("不淤校核", "v最小", VelocityVerdict(*c.silt, false), ""));
    return lines;
}

}  // namespace channel
