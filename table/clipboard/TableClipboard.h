#pragma once

#include "table/ElementsTable.h"
#include "table/clipboard/Clipboard.h"

namespace channel {

// Puts the cells of the table's selection (the current cell when no range is
// selected) on the clipboard twice: as tab-separated text with each cell as
// the table shows it (DisplayText: a result with its column's decimals, a
// text as typed), and as an HTML table in which every cell that is a number
// is that number at full single precision, the shortest decimal that reads
// back to the float the calculation uses ("1/2000" and "0.05%" go out as
// 0.0005), so a spreadsheet keeps every digit. The part of the selection
// outside the table is ignored; with no selection and no current cell the
// clipboard is left alone.
void Copy(const ElementsTable& table, Clipboard& clipboard);

// Writes the clipboard's tab-separated text into the table with its first
// cell at the top-left cell of the selection. Cells that would land outside
// the table or in the fixed heading row or item column are dropped; the rest
// keep their relative positions. Returns the number of cells whose text
// changed, or kPasteTooLong, changing nothing, when one of the clipboard's
// cell texts is longer than ElementsTable::kMaxCellCharacters.
inline constexpr int kPasteTooLong = -1;
int Paste(ElementsTable& table, Clipboard& clipboard);

}  // namespace channel
