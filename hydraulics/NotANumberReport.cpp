#include "hydraulics/NotANumberReport.h"

#include <QByteArray>
#include <string_view>

#include "hydraulics/CalculationMessages.h"
#include "hydraulics/RowCalculation.h"
#include "table/CellText.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"
#include "table/NumberReading.h"

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

QString NotANumberMessage(const ElementsTable& table, int row, std::span<const int> columns) {
    for (int column : columns) {
        // The scan reads its target from the design discharge, not from
        // whatever the discharge cell shows now.
        const QString cellText = column == kDischargeColumn ? TargetDischargeText(table, row)
                                                            : table.GetCellText(row, column);
        const QByteArray utf8 = cellText.toUtf8();
        const std::string_view text(utf8.constData(), static_cast<size_t>(utf8.size()));
        if (ParseCellNumber(text)) continue;
        return QString::fromUtf8(msg::kCellNotANumber)
            .arg(row)
            .arg(QString::fromUtf8(InputName(column)), cell_text::FromFloat(ReadCellNumber(text)));
    }
    return {};
}

}  // namespace channel
