#include "hydraulics/NotANumberReport.h"

#include <QByteArray>
#include <string_view>

#include "hydraulics/CalculationMessages.h"
#include "hydraulics/NumberReading.h"
#include "hydraulics/RowCalculation.h"
#include "table/CellText.h"
#include "table/ElementsTable.h"

namespace {

namespace msg = calculation_messages;

const char* InputName(int column) {
    switch (column) {
        case 1:
            return msg::kBottomWidthName;
        case 2:
            return msg::kSideSlopeName;
        case 3:
            return msg::kDepthName;
        case 4:
            return msg::kRoughnessName;
        case 5:
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
        const QString cellText = column == ElementsTable::kDischargeColumn
                                     ? TargetDischargeText(table, row)
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
