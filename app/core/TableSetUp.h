#pragma once

#include "table/ElementsLayout.h"

namespace channel {

class ElementsTable;

// Writes the start-up cells (the heading row and the item numbers) and the
// column formats, and keeps the entries into the discharge column (the design
// discharges), as the main window's set-up needs them. Also gives 新建 its
// blank table.
void SetUpElementsTable(ElementsTable& table);

// Puts the heading row and item numbers back and empties every other cell.
void ResetToStartupTable(ElementsTable& table);

}  // namespace channel
