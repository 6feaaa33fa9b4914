#include "hydraulics/NotANumberReport.h"

#include "hydraulics/CalculationMessages.h"
#include "hydraulics/RowInputs.h"
#include "table/CellText.h"
#include "table/ElementsLayout.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

namespace msg = calculation_messages;

const char* InputName(int column) {
    switch (column) {
        case kBottomWidthColumn:
            return msg::kBottomWidthName;
        case kSideSlopeColumn:
            return msg::kSideSlopeName;
        case kDepthColumn:
            return msg::kDepthName;
        case kRoughnessColumn:
            return msg::kRoughnessName;
        case kBedSlopeColumn:
            return msg::kBedSlopeName;
        default:
            return msg::kDischargeName;
    }
}

}  // namespace

QString NotANumberMessage(const RowInputs& inputs, std::span<const int> columns) {
    for (int column : columns) {
        const InputCell& cell = inputs.Read(column);
        if (cell.isNumber) continue;
        if (cell.ambiguous)
            return QString::fromUtf8(msg::kCellAmbiguous)
                .arg(inputs.row)
                .arg(QString::fromUtf8(InputName(column)), cell.text.trimmed(),
                     cell_text::FromFloat(cell.value));
        return QString::fromUtf8(msg::kCellNotANumber)
            .arg(inputs.row)
            .arg(QString::fromUtf8(InputName(column)), cell_text::FromFloat(cell.value));
    }
    return {};
}

}  // namespace channel
