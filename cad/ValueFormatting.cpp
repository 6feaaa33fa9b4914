#include "cad/ValueFormatting.h"

#include <array>
#include <charconv>

namespace channel {

std::string FormatFixed(double value, int digitsAfterPoint) {
    // Enough for the largest double, or the smallest one, written out in full.
    std::array<char, 400> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                      std::chars_format::fixed, digitsAfterPoint);
    return std::string(digits.data(), result.ptr);
}

}  // namespace channel
