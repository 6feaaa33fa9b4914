#pragma once

#include "table/ElementsTable.h"
#include "table/print/PrintDialogs.h"

class QPrinter;

namespace channel {

// Paints the table on `printer`'s page(s): the title "水利要素表", the
// heading row and every row below it as the table displays them, ruled as a
// grid and fitted to the page width. Keeps at least a small margin even when
// the printer's own margins are zero. Does nothing when the printer cannot
// be painted on (for example an output file that cannot be written).
void RenderTable(const ElementsTable& table, QPrinter& printer);

// Asks for the printer through `dialogs` and prints the table on it; a
// cancelled dialog prints nothing.
void Print(const ElementsTable& table, PrintDialogs& dialogs);

// Shows the print preview of the table through `dialogs`.
void PrintPreview(const ElementsTable& table, PrintDialogs& dialogs);

}  // namespace channel
