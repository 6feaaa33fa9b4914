#include "table/ElementsLayout.h"

namespace channel {

namespace elements_table {

std::string StartupCellText(int row, int column) {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) return {};
    if (row == kHeadingRow) return kHeadings[column];
    if (column == kItemColumn) return std::to_string(row);
    return {};
}

}  // namespace elements_table

}  // namespace channel
