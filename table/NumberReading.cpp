#include "table/NumberReading.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

namespace channel {

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
    // Overlong forms and surrogates are malformed too: an overlong "1" must
    // not read as a digit.
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return kInvalid;
    return {value, length};
}

// Unicode white space, plus the invisible zero-width space and byte-order
// mark that pasted text brings along.
bool IsBlank(char32_t c) {
    return (c >= U'\t' && c <= U'\r') || c == U' ' || c == U'\u0085' || c == U'\u00A0' ||
           c == U'\u1680' || (c >= U'\u2000' && c <= U'\u200B') || c == U'\u2028' ||
           c == U'\u2029' || c == U'\u202F' || c == U'\u205F' || c == U'\u3000' || c == U'\uFEFF';
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
        case U',':
        case U'\uFF0C':
            return ',';
        case U'-':
        case U'\uFF0D':
        case U'\u2212':
            return '-';
        case U'+':
        case U'\uFF0B':
            return '+';
        case U'/':
        case U'\uFF0F':
            return '/';
        case U':':
        case U'\uFF1A':
            return ':';
        case U'e':
        case U'\uFF45':
            return 'e';
        case U'E':
        case U'\uFF25':
            return 'E';
        default:
            return 0;
    }
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size()) {
        const CodePoint cp = DecodeAt(text, pos);
        if (!IsBlank(cp.value)) break;
        pos += cp.length;
    }
    return pos;
}

// The run of number characters after the leading blanks, as ASCII.
std::string NumberCharacters(std::string_view text) {
    std::string ascii;
    for (std::size_t pos = SkipBlanks(text, 0); pos < text.size();) {
        const CodePoint cp = DecodeAt(text, pos);
        const char c = NumberCharFor(cp.value);
        if (c == 0) break;
        ascii.push_back(c);
        pos += cp.length;
    }
    return ascii;
}

// The power of ten a percent or per-mille sign divides by; 0 for any other
// code point.
int ScaleSignExponent(char32_t c) {
    switch (c) {
        case U'%':
        case U'\uFF05':  // full-width
        case U'\uFE6A':  // small form
            return 2;
        case U'\u2030':
            return 3;
        default:
            return 0;
    }
}

// The whole text without surrounding blanks: its number characters as
// ASCII, and the power of ten a trailing percent or per-mille sign divides
// them by.
struct WholeText {
    std::string chars;
    int scaleExponent = 0;
};

// Nothing when some character cannot be part of a number, or a scale sign
// is not the last thing in the text.
std::optional<WholeText> WholeTextAsNumberCharacters(std::string_view text) {
    WholeText whole;
    bool blankAfterNumber = false;
    bool scaled = false;
    for (std::size_t pos = SkipBlanks(text, 0); pos < text.size();) {
        const CodePoint cp = DecodeAt(text, pos);
        pos += cp.length;
        if (IsBlank(cp.value)) {
            blankAfterNumber = true;
            continue;
        }
        if (scaled) return std::nullopt;
        // "5 %" is written with a space in some conventions; accept it.
        if (const int exponent = ScaleSignExponent(cp.value); exponent != 0) {
            scaled = true;
            whole.scaleExponent = exponent;
            continue;
        }
        const char c = NumberCharFor(cp.value);
        if (c == 0 || blankAfterNumber) return std::nullopt;
        whole.chars.push_back(c);
    }
    return whole;
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

// The magnitude of a prefix found by LongestNumber.
double MagnitudeOf(std::string_view s, const NumberPrefix& prefix) {
    // std::from_chars is locale-independent, unlike strtod and streams.
    double magnitude = 0.0;
    const char* first = s.data();
    const auto [end, error] =
        std::from_chars(first, first + prefix.length, magnitude, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        return prefix.hasSignificantDigit && prefix.decimalExponent > 0
                   ? std::numeric_limits<double>::infinity()
                   : 0.0;
    }
    if (error != std::errc{} || end != first + prefix.length) {
        return 0.0;  // unreachable for a prefix of the grammar above
    }
    return magnitude;
}

// `s` as a whole unsigned decimal, or nothing.
std::optional<double> WholeUnsignedDecimal(std::string_view s) {
    const NumberPrefix prefix = LongestNumber(s);
    if (prefix.length == 0 || prefix.length != s.size()) return std::nullopt;
    return MagnitudeOf(s, prefix);
}

bool IsDecimalEnd(std::string_view s, std::size_t pos) {
    return pos == s.size() || s[pos] == '/' || s[pos] == ':' || s[pos] == 'e' || s[pos] == 'E';
}

// True when the comma at `comma` sits where a thousands separator would:
// 1 to 3 digits, the first not 0, before it, and exactly 3 after it.
bool CommaMayGroupThousands(std::string_view s, std::size_t comma) {
    std::size_t before = 0;
    while (before < comma && IsDigit(s[comma - before - 1])) ++before;
    const std::size_t start = comma - before;
    const bool startsDecimal = start == 0 || s[start - 1] == '+' || s[start - 1] == '-' ||
                               s[start - 1] == '/' || s[start - 1] == ':';
    std::size_t after = 0;
    while (comma + 1 + after < s.size() && IsDigit(s[comma + 1 + after])) ++after;
    return startsDecimal && before >= 1 && before <= 3 && s[start] != '0' && after == 3 &&
           IsDecimalEnd(s, comma + 1 + after);
}

// True when the run of digits and commas from `start` to `end` groups an
// integer part in thousands: 1 to 3 digits, the first not 0, then groups of
// a comma and exactly 3 digits. The run must begin a decimal (the text's
// start, after its sign, or after the fraction bar), so "1.000,5" and an
// exponent "1e1,000" never pass.
bool GroupsThousands(std::string_view s, std::size_t start, std::size_t end) {
    const bool afterSign = start == 1 && (s[0] == '+' || s[0] == '-');
    if (start != 0 && !afterSign && s[start - 1] != '/' && s[start - 1] != ':') return false;
    const std::size_t firstComma = s.find(',', start);
    const std::size_t lead = firstComma - start;
    if (lead < 1 || lead > 3 || s[start] == '0') return false;
    for (std::size_t pos = firstComma; pos < end; pos += 4) {
        if (s[pos] != ',' || pos + 4 > end) return false;
        for (std::size_t d = pos + 1; d < pos + 4; ++d)
            if (!IsDigit(s[d])) return false;
    }
    return IsDecimalEnd(s, end) || s[end] == '.';
}

// Drops every comma of `s` when each sits in an integer part grouped in
// thousands; false when one does not.
bool RemoveThousandsSeparators(std::string& s) {
    for (std::size_t start = 0; start < s.size();) {
        if (!IsDigit(s[start]) && s[start] != ',') {
            ++start;
            continue;
        }
        std::size_t end = start;
        while (end < s.size() && (IsDigit(s[end]) || s[end] == ',')) ++end;
        const bool hasComma =
            std::string_view(s).substr(start, end - start).find(',') != std::string_view::npos;
        if (hasComma && !GroupsThousands(s, start, end)) return false;
        start = end;
    }
    std::erase(s, ',');
    return true;
}

enum class Commas { kResolved, kAmbiguous, kNotANumber };

// Turns a decimal comma into a point and drops thousands separators (see
// the header).
Commas ResolveCommas(std::string& s) {
    const std::size_t comma = s.find(',');
    if (comma == std::string::npos) return Commas::kResolved;
    const bool oneComma = s.find(',', comma + 1) == std::string::npos;
    if (oneComma && s.find('.') == std::string::npos) {
        if (CommaMayGroupThousands(s, comma)) return Commas::kAmbiguous;
        s[comma] = '.';
        return Commas::kResolved;
    }
    return RemoveThousandsSeparators(s) ? Commas::kResolved : Commas::kNotANumber;
}

// Removes one leading sign; true when it was a minus.
bool TakeSign(std::string_view& s) {
    if (s.empty() || (s.front() != '+' && s.front() != '-')) return false;
    const bool negative = s.front() == '-';
    s.remove_prefix(1);
    return negative;
}

// The whole text read as one number, and whether it failed only for an
// ambiguous comma.
struct WholeReading {
    std::optional<double> number;
    bool ambiguous = false;
};

WholeReading ReadWhole(std::string_view utf8Text) {
    std::optional<WholeText> whole = WholeTextAsNumberCharacters(utf8Text);
    if (!whole) return {};
    const Commas commas = ResolveCommas(whole->chars);
    if (commas != Commas::kResolved) return {std::nullopt, commas == Commas::kAmbiguous};
    std::string_view rest = whole->chars;
    const bool negative = TakeSign(rest);
    const std::size_t bar = rest.find_first_of("/:");
    std::string dividend(rest.substr(0, bar));
    double scale = 1.0;
    if (whole->scaleExponent != 0) {
        // Scaled in the text where it can be, so "0.05%" reads exactly as
        // "0.0005" does; a dividend with an exponent of its own is divided.
        if (dividend.find_first_of("eE") == std::string::npos) {
            dividend += "e-" + std::to_string(whole->scaleExponent);
        } else {
            scale = whole->scaleExponent == 2 ? 100.0 : 1000.0;
        }
    }
    std::optional<double> value = WholeUnsignedDecimal(dividend);
    if (value && bar != std::string_view::npos) {
        const std::optional<double> divisor = WholeUnsignedDecimal(rest.substr(bar + 1));
        // inf/inf is the only quotient of two magnitudes that is NaN.
        if (!divisor || *divisor == 0.0 || (std::isinf(*value) && std::isinf(*divisor))) return {};
        value = *value / *divisor;
    }
    if (!value) return {};
    const double scaled = *value / scale;
    return {negative ? -scaled : scaled};
}

}  // namespace

std::optional<double> ParseCellNumber(std::string_view utf8Text) {
    return ReadWhole(utf8Text).number;
}

bool HasAmbiguousComma(std::string_view utf8Text) {
    return ReadWhole(utf8Text).ambiguous;
}

double ReadDecimal(std::string_view utf8Text) {
    if (const std::optional<double> whole = ParseCellNumber(utf8Text)) return *whole;
    const std::string chars = NumberCharacters(utf8Text);
    std::string_view rest = chars;
    const bool negative = TakeSign(rest);
    const NumberPrefix prefix = LongestNumber(rest);
    if (prefix.length == 0) return 0.0;
    const double magnitude = MagnitudeOf(rest, prefix);
    return negative ? -magnitude : magnitude;
}

float ReadCellNumber(std::string_view utf8Text) {
    return static_cast<float>(ReadDecimal(utf8Text));
}

}  // namespace channel
