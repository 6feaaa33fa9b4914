#include "hydraulics/NumberReading.h"

#include <charconv>
#include <cstddef>
#include <limits>
#include <string>
#include <system_error>

namespace {

// One code point decoded from UTF-8. Malformed bytes decode as U+FFFD with a
// length of one, so scanning always advances and a stray byte ends a number.
struct CodePoint {
    char32_t value;
    std::size_t length;
};

CodePoint DecodeAt(std::string_view text, std::size_t pos) {
    constexpr CodePoint kInvalid{U'\uFFFD', 1};
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
    } else {
        return kInvalid;
    }
    if (pos + length > text.size()) return kInvalid;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return kInvalid;
        value = (value << 6) | (next & 0x3F);
    }
    return {value, length};
}

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == U'\v' || c == U'\f' ||
           c == U'\u00A0' || c == U'\u3000';
}

// The ASCII character a code point stands for inside a number, or 0 when it
// cannot be part of one.
char NumberCharFor(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<char>(c);
    if (c >= U'\uFF10' && c <= U'\uFF19') return static_cast<char>('0' + (c - U'\uFF10'));
    switch (c) {
        case U'.':
        case U'\uFF0E':
            return '.';
        case U'-':
        case U'\uFF0D':
        case U'\u2212':
            return '-';
        case U'+':
        case U'\uFF0B':
            return '+';
        case U'e':
        case U'E':
            return static_cast<char>(c);
        default:
            return 0;
    }
}

// The run of number characters after the leading blanks, as ASCII.
std::string NumberCharacters(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const CodePoint cp = DecodeAt(text, pos);
        if (!IsBlank(cp.value)) break;
        pos += cp.length;
    }
    std::string ascii;
    while (pos < text.size()) {
        const CodePoint cp = DecodeAt(text, pos);
        const char c = NumberCharFor(cp.value);
        if (c == 0) break;
        ascii.push_back(c);
        pos += cp.length;
    }
    return ascii;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The longest prefix of `s` (sign already removed) that is a decimal number:
// digits, an optional fraction, and an exponent only when digits follow it.
// Also reports where the first significant digit sits relative to the point,
// which decides between overflow and underflow when the value is out of range.
struct NumberPrefix {
    std::size_t length = 0;         // 0: no number
    long long decimalExponent = 0;  // power of ten of the leading significant digit
    bool hasSignificantDigit = false;
};

NumberPrefix LongestNumber(std::string_view s) {
    NumberPrefix result;
    std::size_t pos = 0;
    std::size_t mantissaDigits = 0;
    long long integerDigits = 0;  // significant digits before the point
    long long fractionZeros = 0;  // zeros after the point before the first significant digit
    while (pos < s.size() && IsDigit(s[pos])) {
        if (s[pos] != '0' || result.hasSignificantDigit) {
            result.hasSignificantDigit = true;
            ++integerDigits;
        }
        ++pos;
        ++mantissaDigits;
    }
    if (pos < s.size() && s[pos] == '.') {
        ++pos;
        while (pos < s.size() && IsDigit(s[pos])) {
            if (!result.hasSignificantDigit) {
                if (s[pos] == '0') {
                    ++fractionZeros;
                } else {
                    result.hasSignificantDigit = true;
                }
            }
            ++pos;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return {};
    result.length = pos;
    result.decimalExponent = integerDigits > 0 ? integerDigits - 1 : -(fractionZeros + 1);

    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        std::size_t expPos = pos + 1;
        bool negative = false;
        if (expPos < s.size() && (s[expPos] == '+' || s[expPos] == '-')) {
            negative = s[expPos] == '-';
            ++expPos;
        }
        if (expPos < s.size() && IsDigit(s[expPos])) {
            long long exponent = 0;
            while (expPos < s.size() && IsDigit(s[expPos])) {
                // Saturate: anything this large is out of range either way.
                if (exponent < 1'000'000'000) exponent = exponent * 10 + (s[expPos] - '0');
                ++expPos;
            }
            result.decimalExponent += negative ? -exponent : exponent;
            result.length = expPos;
        }
    }
    return result;
}

}  // namespace

double ReadDecimal(std::string_view utf8Text) {
    const std::string chars = NumberCharacters(utf8Text);
    std::string_view rest = chars;
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    const NumberPrefix prefix = LongestNumber(rest);
    if (prefix.length == 0) return 0.0;

    // std::from_chars is locale-independent, unlike strtod and streams.
    double magnitude = 0.0;
    const char* first = rest.data();
    const auto [end, error] =
        std::from_chars(first, first + prefix.length, magnitude, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        magnitude = prefix.hasSignificantDigit && prefix.decimalExponent > 0
                        ? std::numeric_limits<double>::infinity()
                        : 0.0;
    } else if (error != std::errc{} || end != first + prefix.length) {
        return 0.0;  // unreachable for a prefix of the grammar above
    }
    return negative ? -magnitude : magnitude;
}

float ReadCellNumber(std::string_view utf8Text) {
    return static_cast<float>(ReadDecimal(utf8Text));
}
