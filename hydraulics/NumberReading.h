#pragma once

#include <string_view>

// Reads a cell's text as a decimal number, the same way for every reader of
// the table (the calculations and the CAD export).
//
// Leading and trailing blanks are skipped, a sign and an exponent are
// accepted, and full-width digits, point, plus and minus read as their ASCII
// twins. When the text is not a plain number the longest leading number is
// read ("2.5m" gives 2.5); when there is none the result is 0. The result
// never depends on the process locale: "3.5" is 3.5 under a decimal-comma
// locale too, and "3,5" is 3 everywhere. A magnitude beyond double range
// gives a signed infinity, one below it a signed zero.
double ReadDecimal(std::string_view utf8Text);

// The cell value as the working record stores it: the double rounded to float.
float ReadCellNumber(std::string_view utf8Text);
