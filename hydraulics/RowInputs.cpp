#include "hydraulics/RowInputs.h"

#include <algorithm>

#include "hydraulics/ChannelElements.h"
#include "table/CellText.h"
#include "table/ElementsTable.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

InputCell ReadInput(const QString& text) {
    return {text, cell_text::Value(text), cell_text::IsNumber(text), cell_text::IsAmbiguous(text)};
}

}  // namespace

const InputCell& RowInputs::Read(int column) const {
    switch (column) {
        case kBottomWidthColumn:
            return bottomWidth;
        case kSideSlopeColumn:
            return sideSlope;
        case kDepthColumn:
            return depth;
        case kRoughnessColumn:
            return roughness;
        case kBedSlopeColumn:
            return bedSlope;
        default:
            return target;
    }
}

std::optional<RequiredInput> RowInputs::FirstMissing() const {
    return FirstMissingInput([this](int column) { return Read(column).IsEmpty(); });
}

void RowInputs::CopySectionInputs(ChannelElements& record) const {
    record.bottomWidth = bottomWidth.value;
    record.sideSlope = sideSlope.value;
    record.roughness = roughness.value;
    record.bedSlope = bedSlope.value;
}

QString TargetDischargeText(const ElementsTable& table, int row) {
    const QString design = table.KeptEntry(row);
    return design.isEmpty() ? table.GetCellText(row, kDischargeColumn) : design;
}

RowInputs ReadRowInputs(const ElementsTable& table, int row) {
    const auto cell = [&](int column) { return ReadInput(table.GetCellText(row, column)); };
    return {row,
            cell(kBottomWidthColumn),
            cell(kSideSlopeColumn),
            cell(kDepthColumn),
            cell(kRoughnessColumn),
            cell(kBedSlopeColumn),
            cell(kDischargeColumn),
            table.KeptEntry(row),
            ReadInput(TargetDischargeText(table, row))};
}

bool MayBeRead(int column, bool depthKnownMode) {
    return std::ranges::find(kScanInputs, column) != std::end(kScanInputs) ||
           (depthKnownMode && column == kDepthColumn);
}

}  // namespace channel
