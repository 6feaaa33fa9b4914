#pragma once

class ElementsTable;

// Grid geometry of the elements table.
namespace elements_table {
inline constexpr int kRows = 11;
inline constexpr int kColumns = 12;
inline constexpr int kFixedRows = 1;
inline constexpr int kFixedColumns = 1;
inline constexpr int kRowHeight = 24;
inline constexpr int kColumnWidth = 58;
}  // namespace elements_table

// Writes the heading row, the item numbers and the column formats, in the
// order the main window's set-up uses. Also gives 新建 its blank table.
void SetUpElementsTable(ElementsTable& table);

// Puts the heading row and item numbers back and empties every other cell.
void ResetToStartupTable(ElementsTable& table);
