#pragma once

#include <QString>
#include <functional>

#include "cad/TableCells.h"

namespace channel {

// What the export reads of one cell of the elements table: the text it holds
// and the text the table shows for it.
struct CellTexts {
    QString text;
    QString shown;
};

// Reads one cell of the elements table; the export needs nothing else of it.
using CellTextSource = std::function<CellTexts(int row, int column)>;

// The cells as the table drawing reads them.
TableCellSource DrawingCells(CellTextSource cells);

}  // namespace channel
