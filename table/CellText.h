#pragma once

#include <QString>
#include <optional>

namespace channel {

// Text forms of cell values. Kept apart from the model so the element
// files, the printout and the view render numbers the same way.
namespace cell_text {

// Shortest decimal text that reads back to exactly `value`; "nan", "inf"
// or "-inf" for values that are not finite.
QString FromFloat(float value);

// A cell's text read as the calculations read it (table/NumberReading.h).
// These are the only way from a QString to the reading, so every
// reader of a cell, whatever its layer, takes the same number from it.

// True when the whole of `text` is one number (ParseCellNumber), one beyond
// double range included.
bool IsNumber(const QString& text);

// True when `text` is not a number only because its one comma could group
// thousands as well as be a decimal comma (HasAmbiguousComma).
bool IsAmbiguous(const QString& text);

// The number the whole of `text` is when that number is finite; nothing
// for any other text.
std::optional<double> Number(const QString& text);

// The value the calculations use for `text`, a number or not
// (ReadCellNumber).
float Value(const QString& text);

// What a numeric column with `decimals` places shows for `text`: a number
// is shown as the single-precision value the calculations use, rounded to
// that many places. Text that is not a number, or a number beyond single
// precision, is shown unchanged, so the display never invents a number the
// calculation does not use; non-finite values get a marker that cannot be
// mistaken for a number.
QString Rounded(const QString& text, int decimals);

// The marker shown for a value that is not finite.
QString NonFiniteMarker(const QString& text);

}  // namespace cell_text

}  // namespace channel
