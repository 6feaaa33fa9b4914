#pragma once

#include <QStringList>

namespace channel {

class ElementsTable;

// The cells of the elements table as start-up and 新建 leave it
// (elements_table::StartupCellText), row-major as ElementsTable::Cells()
// holds them; an empty cell is a null string, as in a table never written.
QStringList StartupTableCells();

// Gives every column of `table` its kind and decimals from the layout.
void ApplyColumnFormats(ElementsTable& table);

}  // namespace channel
