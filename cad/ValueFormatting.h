#pragma once

#include <string>
#include <string_view>

// The text a table value is drawn as: the cell read as a number the way the
// calculations read it, then written with a fixed number of digits after the
// point, no digit grouping, independent of the process locale.
std::string FormatDrawnValue(std::string_view utf8CellText, int digitsAfterPoint);

// Roughness and slope (columns 4 and 5) are small numbers: 3 digits; the
// other columns 2.
int DrawnDigitsForColumn(int column);
