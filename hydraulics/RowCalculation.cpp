#include "hydraulics/RowCalculation.h"

#include <QByteArray>
#include <cmath>
#include <string_view>

#include "hydraulics/CalculationMessages.h"
#include "hydraulics/DepthScan.h"
#include "hydraulics/NotANumberReport.h"
#include "table/ElementsLayout.h"
#include "table/NumberReading.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

namespace msg = calculation_messages;

void ShowStatus(const CalculationContext& context, const char* utf8Text) {
    if (context.showStatus) context.showStatus(QString::fromUtf8(utf8Text));
}

bool IsEmptyCell(const ElementsTable& table, int row, int column) {
    return table.GetCellText(row, column).isEmpty();  // blanks count as content
}

float ReadNumber(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return ReadCellNumber(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

float ReadCell(const ElementsTable& table, int row, int column) {
    return ReadNumber(table.GetCellText(row, column));
}

void ReadSectionInputs(const ElementsTable& table, int row, ChannelElements& record) {
    record.bottomWidth = ReadCell(table, row, kBottomWidthColumn);
    record.sideSlope = ReadCell(table, row, kSideSlopeColumn);
    record.roughness = ReadCell(table, row, kRoughnessColumn);
    record.bedSlope = ReadCell(table, row, kBedSlopeColumn);
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

// The inputs each kind of calculation reads, in column order.
constexpr int kDepthKnownInputs[] = {kBottomWidthColumn, kSideSlopeColumn, kDepthColumn,
                                     kRoughnessColumn, kBedSlopeColumn};
constexpr int kScanInputs[] = {kBottomWidthColumn, kSideSlopeColumn, kRoughnessColumn,
                               kBedSlopeColumn, kDischargeColumn};

// How a calculation ended. `notANumber` names an input it read that is not
// a number (NotANumberMessage, taken before results overwrite a read cell);
// it outweighs the outcome, since a result or a failure that comes from a
// mistyped cell must not look like a plain result or failure.
void ShowOutcome(const CalculationContext& context, const QString& notANumber,
                 const char* outcome) {
    if (notANumber.isEmpty()) {
        ShowStatus(context, outcome);
    } else if (context.showStatus) {
        context.showStatus(notANumber);
    }
}

// After results have been written: greet only when they are all numbers.
void ReportWrittenResults(const CalculationContext& context, const QString& notANumber,
                          const ChannelElements& record) {
    ShowOutcome(context, notANumber,
                ElementsAreFinite(record) ? msg::kWelcome : msg::kResultInvalid);
}

void FindDepthForDischargeInRow(CalculationContext& context, int row) {
    ElementsTable& table = context.table;
    if (IsEmptyCell(table, row, kDischargeColumn)) {
        ShowStatus(context, msg::kEnterDepthOrDischarge);
        return;
    }

    ChannelElements& record = context.workingRecord;
    ReadSectionInputs(table, row, record);
    context.targetDischarge = ReadNumber(TargetDischargeText(table, row));
    const QString notANumber = NotANumberMessage(table, row, kScanInputs);

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
    table.SetCellText(row, kDepthColumn, scan.solutionDepth);
    WriteElements(table, row, record);
    ReportWrittenResults(context, notANumber, record);
}

}  // namespace

QString TargetDischargeText(const ElementsTable& table, int row) {
    const QString design = table.DesignDischarge(row);
    return design.isEmpty() ? table.GetCellText(row, kDischargeColumn) : design;
}

void FindDepthForDischarge(CalculationContext& context) {
    const int row = context.table.CurrentRow();
    if (row >= 0) FindDepthForDischargeInRow(context, row);
}

void CalculateCurrentRow(CalculationContext& context, bool depthKnownMode) {
    const int row = context.table.CurrentRow();
    if (row >= 0) CalculateRow(context, row, depthKnownMode);
}

void CalculateRow(CalculationContext& context, int row, bool depthKnownMode) {
    ElementsTable& table = context.table;

    const auto missing =
        FirstMissingInput([&](int column) { return IsEmptyCell(table, row, column); });
    if (missing) {
        ShowStatus(context, missing->prompt);
        table.SetCurrentCell(row, missing->column);
        return;
    }

    if (!depthKnownMode) {
        FindDepthForDischargeInRow(context, row);
        return;
    }
    if (IsEmptyCell(table, row, kDepthColumn)) {
        ShowStatus(context, msg::kEnterDepth);
        FindDepthForDischargeInRow(context, row);
        return;
    }

    ChannelElements& record = context.workingRecord;
    ReadSectionInputs(table, row, record);
    record.depth = ReadCell(table, row, kDepthColumn);
    const QString notANumber = NotANumberMessage(table, row, kDepthKnownInputs);
    ComputeChannelElements(record);
    WriteElements(table, row, record);
    ReportWrittenResults(context, notANumber, record);
}

}  // namespace channel
