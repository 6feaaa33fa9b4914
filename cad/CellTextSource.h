#pragma once

#include <QString>
#include <functional>
#include <optional>

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

// The value of a cell whose whole text is one number; nothing for any other
// text. The one place that decides what the drawing treats as a number.
std::optional<double> CellNumber(const QString& text);

// The cells as the table drawing reads them.
TableCellSource DrawingCells(CellTextSource cells);

}  // namespace channel
