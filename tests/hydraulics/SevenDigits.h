#pragma once

#include <charconv>
#include <ostream>
#include <string>

#include "hydraulics/ChannelElements.h"

namespace channel {

// A float rounded to seven significant digits, the form in which the
// expected results are known ("5.605551", "0.9399994"). Comparing this text
// exactly catches a wrong last digit; the float nearest the seven-digit
// decimal is often a neighbour of the computed one, so comparing floats
// against such literals would not work.
inline std::string SevenDigits(float value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    return std::string(buffer, result.ptr);
}

struct ElementTexts {
    std::string area, wettedPerimeter, hydraulicRadius, chezyCoefficient, discharge, velocity;
    bool operator==(const ElementTexts&) const = default;
};

inline ElementTexts SevenDigitElements(const ChannelElements& r) {
    return {SevenDigits(r.area),
            SevenDigits(r.wettedPerimeter),
            SevenDigits(r.hydraulicRadius),
            SevenDigits(r.chezyCoefficient),
            SevenDigits(r.discharge),
            SevenDigits(r.velocity)};
}

inline void PrintTo(const ElementTexts& e, std::ostream* os) {
    *os << "{A=" << e.area << " X=" << e.wettedPerimeter << " R=" << e.hydraulicRadius
        << " C=" << e.chezyCoefficient << " Q=" << e.discharge << " v=" << e.velocity << '}';
}

}  // namespace channel
