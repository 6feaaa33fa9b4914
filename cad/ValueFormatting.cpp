#include "cad/ValueFormatting.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "table/ElementsLayout.h"

namespace channel {

namespace {

using elements_table::kBedSlopeColumn;
using elements_table::kRoughnessColumn;
constexpr int kSmallValueDigits = 3;
constexpr int kDigits = 2;

// "-0.00" says nothing the plain "0.00" does not.
void DropSignOfZero(std::string& text) {
    if (text.size() > 1 && text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
}

// The table shows a value rounded half away from zero: an exact tie at two
// decimals (a float such as 0.125, where 8 * value is an odd integer) goes
// up in magnitude, every other value to the nearest.
std::string TwoDigits(float value) {
    const double exact = value;
    const double eighths = exact * 8;  // exact: a power-of-two scaling
    if (std::floor(eighths) == eighths && std::fmod(eighths, 2.0) != 0) {
        return FormatFixed(std::copysign(std::ceil(std::fabs(exact * 100)), exact) / 100, kDigits);
    }
    return FormatFixed(exact, kDigits);
}

// Digits after the point that show `value` to two significant digits. The
// exponent is taken after rounding to two digits, so 0.000996 (1.0e-03)
// needs 4, not 5.
int DigitsForTwoSignificant(double value) {
    if (value == 0) return 0;
    std::array<char, 32> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::scientific, 1);
    const char* e = std::find(text.data(), result.ptr, 'e');
    int exponent = 0;
    const char* first = e + 1;
    if (first < result.ptr && *first == '+') ++first;
    std::from_chars(first, result.ptr, exponent);
    return 1 - exponent;
}

std::string SmallValue(double value) {
    const int digits = std::max(kSmallValueDigits, DigitsForTwoSignificant(value));
    std::string text = FormatFixed(value, digits);
    const std::size_t keep = text.find('.') + 1 + kSmallValueDigits;
    while (text.size() > keep && text.back() == '0') text.pop_back();
    return text;
}

}  // namespace

std::string FormatFixed(double value, int digitsAfterPoint) {
    // Enough for the largest double, or the smallest one, written out in full.
    std::array<char, 400> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                      std::chars_format::fixed, digitsAfterPoint);
    return std::string(digits.data(), result.ptr);
}

std::string FormatDrawnValue(double value, int column) {
    // The 2-digit columns are shown by the table as the single-precision
    // value the calculations use; rounding that same value keeps a tie such
    // as "9.215" (the float just above it) drawn 9.22, as the table shows it.
    // Roughness and slope are shown as typed, so they are drawn from the text's
    // own value.
    std::string text = column == kRoughnessColumn || column == kBedSlopeColumn
                           ? SmallValue(value)
                           : TwoDigits(static_cast<float>(value));
    DropSignOfZero(text);
    return text;
}

}  // namespace channel
