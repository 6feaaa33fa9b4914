#pragma once

#include "cad/Automation.h"
#include "cad/CadConnection.h"
#include "cad/Drawing.h"
#include "cad/DrawingOutcome.h"
#include "cad/TableCells.h"

namespace channel {

// The drawing of the elements table: the ruled grid of every column but the
// item column, their headings, the title and every computed row (one whose
// velocity cell is not empty), the computed rows closed up in table order
// below the headings. Every value is drawn as the text the table shows for
// its cell, digits and all: the drawing says what the table says.
Drawing DescribeElementsTable(const TableCellSource& cells);

// Draws DescribeElementsTable(cells) into the active drawing of the
// application that `automation` reaches.
DrawingOutcome DrawElementsTable(CadConnection& connection, Automation& automation,
                                 const TableCellSource& cells);

}  // namespace channel
