#pragma once

#include <QString>

// Text forms of cell values. Kept apart from the model so the element
// files, the printout and the view render numbers the same way.
namespace cell_text {

// Shortest decimal text that reads back to exactly `value`; "nan", "inf"
// or "-inf" for values that are not finite.
QString FromFloat(float value);

// True when `text`, without surrounding blanks, is one plain ASCII decimal
// number (sign, digits, point, exponent) and nothing else.
bool ParsePlainNumber(const QString& text, double* value);

// What a numeric column with `decimals` places shows for `text`. Text that
// is not a plain number is shown unchanged; non-finite values get a marker
// that cannot be mistaken for a number.
QString Rounded(const QString& text, int decimals);

// The marker shown for a value that is not finite.
QString NonFiniteMarker(const QString& text);

}  // namespace cell_text
