#include "table/StartupTableCells.h"

#include "table/ElementsLayout.h"

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

}  // namespace channel
