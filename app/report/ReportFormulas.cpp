#include "app/report/ReportFormulas.h"

#include "app/core/SectionDetails.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"

namespace channel {

using namespace elements_table;  // the columns

QString DetailsNumber(const SectionDetails& details, const QString& symbol) {
    for (const SectionDetails::Value& value : details.values)
        if (!value.IsHeading() && value.symbol == symbol) return value.number;
    return {};
}

// Uniform flow in a trapezoidal channel by Chézy's formula with Manning's
// coefficient, v = C·√(R·i), C = R^(1/6)/n, Q = A·v; the section's area and
// wetted perimeter A = (b + m·h)·h, χ = b + 2·h·√(1 + m²) (V. T. Chow,
// Open-Channel Hydraulics, 1959, ch. 2 table 2-1 and ch. 5). The program
// takes 0.16666666 for the exponent (hydraulics/ChannelElements.h).
QList<FormulaLine> SubstitutedFormulas(const ElementsTable& table, int row,
                                       const SectionDetails& details) {
    if (!details.inputsRead || !details.calculated) return {};
    const auto shown = [&](Column column) { return table.DisplayText(row, column); };
    const QString b = shown(kBottomWidthColumn);
    const QString m = shown(kSideSlopeColumn);
    const QString h = shown(kDepthColumn);
    const QString area = shown(kAreaColumn);
    const QString perimeter = shown(kWettedPerimeterColumn);
    const QString radius = shown(kHydraulicRadiusColumn);
    const QString chezy = shown(kChezyCoefficientColumn);
    const QString discharge = shown(kDischargeColumn);
    const QString velocity = shown(kVelocityColumn);
    const QString n = DetailsNumber(details, QStringLiteral("n"));
    const QString i = DetailsNumber(details, QStringLiteral("i"));
    return {
        {QStringLiteral("A"), QStringLiteral("(b + m·h)·h"),
         QStringLiteral("(%1 + %2 × %3) × %3").arg(b, m, h), area, QStringLiteral("m²")},
        {QStringLiteral("χ"), QStringLiteral("b + 2h·√(1 + m²)"),
         QStringLiteral("%1 + 2 × %2 × √(1 + %3²)").arg(b, h, m), perimeter, QStringLiteral("m")},
        {QStringLiteral("R"), QStringLiteral("A / χ"),
         QStringLiteral("%1 / %2").arg(area, perimeter), radius, QStringLiteral("m")},
        {QStringLiteral("C"), QStringLiteral("R<sup>1/6</sup> / n"),
         QStringLiteral("%1<sup>1/6</sup> / %2").arg(radius, n), chezy,
         QStringLiteral("m<sup>1/2</sup>/s")},
        {QStringLiteral("Q"), QStringLiteral("A·C·√(R·i)"),
         QStringLiteral("%1 × %2 × √(%3 × %4)").arg(area, chezy, radius, i), discharge,
         QStringLiteral("m³/s")},
        {QStringLiteral("v"), QStringLiteral("Q / A"),
         QStringLiteral("%1 / %2").arg(discharge, area), velocity, QStringLiteral("m/s")},
    };
}

}  // namespace channel
