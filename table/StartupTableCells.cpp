#include "table/StartupTableCells.h"

#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"

namespace channel {

QStringList StartupTableCells() {
    namespace layout = elements_table;
    QStringList cells;
    cells.reserve(qsizetype{layout::kRows} * layout::kColumns);
    for (int row = 0; row < layout::kRows; ++row) {
        for (int column = 0; column < layout::kColumns; ++column) {
            const std::string text = layout::StartupCellText(row, column);
            cells << (text.empty() ? QString() : QString::fromStdString(text));
        }
    }
    return cells;
}

void ApplyColumnFormats(ElementsTable& table) {
    for (int column = 0; column < elements_table::kColumns; ++column) {
        const elements_table::ColumnFormat format = elements_table::kColumnFormats[column];
        if (format.numeric) table.SetColumnType(column, ElementsTable::kNumericKind);
        if (format.decimals >= 0) table.SetColumnDecimals(column, format.decimals);
    }
}

}  // namespace channel
