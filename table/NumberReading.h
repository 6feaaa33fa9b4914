#pragma once

#include <optional>
#include <string_view>

namespace channel {

// The one reading of a cell's text as a number, shared by every reader of
// the table: the calculations, the table's display and the CAD export. What
// the table shows as a number is therefore the number the calculation uses.
//
// A text is a number when, apart from surrounding white space (any Unicode
// white space, and the invisible U+200B and U+FEFF), it is exactly one of:
//   - a decimal: an optional sign, digits with an optional point, and an
//     optional exponent ("2.5", "-.5", "1e-3", "5.");
//   - a fraction "a/b" or "a:b" of two unsigned decimals, with an optional
//     sign in front, meaning a divided by b ("1/2000" is 0.0005). A zero
//     divisor makes it not a number;
// either followed by one percent sign (divides by 100: "0.05%" is 0.0005)
// or per-mille sign (divides by 1000: "0.5‰" is 0.0005), white space
// before the sign allowed.
// Full-width digits, point, signs, comma, "e", "／", "：" and "％" read as
// their ASCII twins; U+2212 is a minus, U+FE6A a percent sign.
//
// Commas: when the text has no point and exactly one comma, the comma is
// the decimal point ("2,5" is 2.5, "0,025" is 0.025), unless the comma could
// just as well group thousands: 1 to 3 digits not starting with 0, the
// comma, then exactly 3 digits ("1,000", "12,500"). Such a text is not a
// number, so a value that means 1 to one reader and 1000 to another is never
// taken silently; HasAmbiguousComma names it. Otherwise (two or more commas,
// or a comma and a point) every comma must group the integer part of a
// decimal in thousands, and the commas are dropped ("1,250.50" is 1250.5,
// "12,345,678" is 12345678); any other comma makes the text not a number
// ("1,2,3", "2,5.", "1.000,5").
//
// The reading never depends on the process locale. A magnitude beyond
// double range gives a signed infinity, one below it a signed zero; a
// result is never NaN.
std::optional<double> ParseCellNumber(std::string_view utf8Text);

// True when the text would be one number but for a single comma that could
// group thousands as well as be a decimal comma ("1,250", "-12,500",
// "1,250%"). Such a text is not a number (ParseCellNumber).
bool HasAmbiguousComma(std::string_view utf8Text);

// The value the calculations use for any text: the number when the whole
// text is one (ParseCellNumber), otherwise the longest leading decimal after
// leading white space ("2.5m" gives 2.5, "1,000" gives 1), and 0 when there
// is none ("abc", "+-5").
double ReadDecimal(std::string_view utf8Text);

// The cell value as the working record stores it: the double rounded to float.
float ReadCellNumber(std::string_view utf8Text);

}  // namespace channel
