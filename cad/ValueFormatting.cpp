#include "cad/ValueFormatting.h"

#include <array>
#include <charconv>

#include "hydraulics/NumberReading.h"

namespace {

constexpr int kRoughnessColumn = 4;
constexpr int kBedSlopeColumn = 5;

// "-0.00" says nothing the plain "0.00" does not.
void DropSignOfZero(std::string& text) {
    if (text.size() > 1 && text[0] == '-' &&
        text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
}

}  // namespace

std::string FormatDrawnValue(std::string_view utf8CellText, int digitsAfterPoint) {
    const double value = ReadDecimal(utf8CellText);
    // Enough for the largest double written out in full.
    std::array<char, 400> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                      std::chars_format::fixed, digitsAfterPoint);
    std::string text(digits.data(), result.ptr);
    DropSignOfZero(text);
    return text;
}

int DrawnDigitsForColumn(int column) {
    return column == kRoughnessColumn || column == kBedSlopeColumn ? 3 : 2;
}
