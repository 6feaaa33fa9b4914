#include "hydraulics/RowCalculation.h"

#include <cmath>

#include "hydraulics/CalculationMessages.h"
#include "hydraulics/DepthScan.h"
#include "hydraulics/NotANumberReport.h"
#include "hydraulics/PlausibilityReport.h"
#include "hydraulics/RowInputs.h"
#include "table/ElementsLayout.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

namespace msg = calculation_messages;

void ShowStatus(const CalculationContext& context, const char* utf8Text) {
    if (context.showStatus) context.showStatus(QString::fromUtf8(utf8Text));
}

void WriteElements(ElementsTable& table, int row, const ChannelElements& record) {
    table.SetCellText(row, kAreaColumn, record.area);
    table.SetCellText(row, kWettedPerimeterColumn, record.wettedPerimeter);
    table.SetCellText(row, kHydraulicRadiusColumn, record.hydraulicRadius);
    table.SetCellText(row, kChezyCoefficientColumn, record.chezyCoefficient);
    table.SetCellText(row, kDischargeColumn, record.discharge);
    table.SetCellText(row, kVelocityColumn, record.velocity);
}

bool ElementsAreFinite(const ChannelElements& r) {
    return std::isfinite(r.area) && std::isfinite(r.wettedPerimeter) &&
           std::isfinite(r.hydraulicRadius) && std::isfinite(r.chezyCoefficient) &&
           std::isfinite(r.discharge) && std::isfinite(r.velocity);
}

// How a calculation ended. `warning` names an input it read that is not a
// number (NotANumberMessage, of the inputs as read before any result
// overwrote one) or, after a result, implausible values; it outweighs the
// outcome, since a result or a failure that comes from a mistyped cell must
// not look like a plain result or failure.
void ShowOutcome(const CalculationContext& context, const QString& warning, const char* outcome) {
    if (warning.isEmpty()) {
        ShowStatus(context, outcome);
    } else if (context.showStatus) {
        context.showStatus(warning);
    }
}

// After results have been written to `row`: greet only when they are all
// numbers and nothing in the row is implausible; a result from absurd
// inputs must not look like a plain result either.
void ReportWrittenResults(const CalculationContext& context, const QString& notANumber, int row,
                          const ChannelElements& record) {
    if (!ElementsAreFinite(record)) {
        ShowOutcome(context, notANumber, msg::kResultInvalid);
        return;
    }
    const QString implausible = PlausibilityMessage(row, record);
    ShowOutcome(context, notANumber.isEmpty() ? implausible : notANumber, msg::kWelcome);
}

void FindDepthForDischargeInRow(CalculationContext& context, const RowInputs& inputs) {
    if (inputs.discharge.IsEmpty()) {
        ShowStatus(context, msg::kEnterDepthOrDischarge);
        return;
    }

    ChannelElements& record = context.workingRecord;
    inputs.CopySectionInputs(record);
    context.targetDischarge = inputs.target.value;
    const QString notANumber = NotANumberMessage(inputs, kScanInputs);

    const DepthScanResult scan = ScanForDepth(record, context.targetDischarge);
    switch (scan.end) {
        case ScanEnd::kNoTrial:
            ShowOutcome(context, notANumber, msg::kDischargeMustBePositive);
            return;
        case ScanEnd::kHitBound:
            ShowOutcome(context, notANumber, msg::kDischargeUnreachable);
            return;
        case ScanEnd::kReachedTarget:
        case ScanEnd::kNotANumber:
            break;
    }
    context.table.SetCellText(inputs.row, kDepthColumn, scan.solutionDepth);
    WriteElements(context.table, inputs.row, record);
    ReportWrittenResults(context, notANumber, inputs.row, record);
}

}  // namespace

void FindDepthForDischarge(CalculationContext& context) {
    const int row = context.table.CurrentRow();
    if (row >= 0) FindDepthForDischargeInRow(context, ReadRowInputs(context.table, row));
}

void CalculateCurrentRow(CalculationContext& context, bool depthKnownMode) {
    const int row = context.table.CurrentRow();
    if (row >= 0) CalculateRow(context, row, depthKnownMode);
}

void CalculateRow(CalculationContext& context, int row, bool depthKnownMode) {
    ElementsTable& table = context.table;
    const RowInputs inputs = ReadRowInputs(table, row);

    if (const auto missing = inputs.FirstMissing()) {
        ShowStatus(context, missing->prompt);
        table.SetCurrentCell(row, missing->column);
        return;
    }

    if (!depthKnownMode) {
        FindDepthForDischargeInRow(context, inputs);
        return;
    }
    if (inputs.depth.IsEmpty()) {
        ShowStatus(context, msg::kEnterDepth);
        FindDepthForDischargeInRow(context, inputs);
        return;
    }

    ChannelElements& record = context.workingRecord;
    inputs.CopySectionInputs(record);
    record.depth = inputs.depth.value;
    const QString notANumber = NotANumberMessage(inputs, kDepthKnownInputs);
    ComputeChannelElements(record);
    WriteElements(table, row, record);
    ReportWrittenResults(context, notANumber, row, record);
}

}  // namespace channel
