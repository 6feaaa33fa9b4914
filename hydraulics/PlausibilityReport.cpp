#include "hydraulics/PlausibilityReport.h"

#include "hydraulics/CalculationMessages.h"
#include "hydraulics/Plausibility.h"
#include "table/CellText.h"
#include "table/ElementsLayout.h"

namespace channel {

namespace {

namespace msg = calculation_messages;

QString Finding(const PlausibilityFinding& finding) {
    // Inputs as the calculation read them; the velocity as its column shows it.
    const QString value = cell_text::FromFloat(finding.value);
    switch (finding.kind) {
        case Implausible::kSlopeTooSteep:
            // Only a slope of 1 or more is the denominator of a slope.
            return QString::fromUtf8(finding.value >= 1 ? msg::kSlopeTooSteepAsDenominator
                                                        : msg::kSlopeTooSteep)
                .arg(value);
        case Implausible::kSlopeNotPositive:
            return QString::fromUtf8(msg::kSlopeNotPositive).arg(value);
        case Implausible::kRoughnessOutside:
            return QString::fromUtf8(msg::kRoughnessOutside).arg(value);
        case Implausible::kNegativeWidth:
            return QString::fromUtf8(msg::kNegativeWidth).arg(value);
        case Implausible::kNegativeSideSlope:
            return QString::fromUtf8(msg::kNegativeSideSlope).arg(value);
        case Implausible::kVelocityTooHigh:
            return QString::fromUtf8(msg::kVelocityTooHigh)
                .arg(cell_text::Rounded(
                    value,
                    elements_table::kColumnFormats[elements_table::kVelocityColumn].decimals));
    }
    return {};
}

}  // namespace

QString PlausibilityMessage(int row, const ChannelElements& record) {
    QString findings;
    for (const PlausibilityFinding& finding : CheckPlausibility(record))
        findings += Finding(finding);
    if (findings.isEmpty()) return {};
    return QString::fromUtf8(msg::kRowLabel).arg(row) + findings;
}

}  // namespace channel
