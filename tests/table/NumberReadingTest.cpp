#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "table/NumberReading.h"

namespace channel {

namespace {

struct Reading {
    const char* text;
    double expected;
};

// Texts that are one number as a whole, with their value: decimals in ASCII
// and full-width forms, every kind of surrounding white space, fractions,
// and a decimal comma where it cannot be grouping thousands.
const std::vector<Reading>& WholeNumbers() {
    static const std::vector<Reading> numbers = {
        {"-.5", -0.5},
        {"+5.", 5.0},
        {"\u22124", -4.0},
        {"－１．５ｅ２", -150.0},
        {"＋３Ｅ－１", 0.3},
        {" \t2\r\n", 2.0},
        {"\u20002\u200A", 2.0},
        {"\u20282\u2029", 2.0},
        {"\u00852\u00A0", 2.0},
        {"\u1680\u202F\u205F2\u3000", 2.0},
        {"\uFEFF2\u200B", 2.0},
        {"1/2000", 0.0005},
        {"1:2000", 0.0005},
        {"-1/4", -0.25},
        {"1.5/0.5", 3.0},
        {"1e3/4", 250.0},
        {" １／４ ", 0.25},
        {"１：４", 0.25},
        {"0/5", 0.0},
        {"1e300/1e-300", std::numeric_limits<double>::infinity()},
        {"2,5", 2.5},
        {"2，5", 2.5},
        {"0,025", 0.025},
        {"-1,5e3", -1500.0},
        {",5", 0.5},
        {"1234,567", 1234.567},
        {"1,5/3", 0.5},
        // percent and per mille, half- and full-width, a blank before allowed
        {"0.05%", 0.0005},
        {"0.5‰", 0.0005},
        {"５％", 0.05},
        {"-5 %", -0.05},
        {"1/4%", 0.0025},
        {"1e2%", 1.0},
        {"2,5﹪", 0.025},
        // commas that can only group thousands
        {"1,250.50", 1250.5},
        {"12,345,678", 12345678.0},
        {"-1,000.5", -1000.5},
        {"１，２５０．５", 1250.5},
        {"1,000,000/2", 500000.0},
        {"1,800.00%", 18.0}};
    return numbers;
}

// Texts that are not one number as a whole.
constexpr const char* kNotNumbers[] = {
    "", " \u3000", "+-5", "--5", "abc", "2.5m", "1 000", "1 / 2", "1/", "/2", "1/2/3", "1/-2",
    "1/0", "0:0", "1e400/1e400", "1e", "e5", ".", "1.2.3", "inf", "nan", "0x1A",
    "\u2160",    // a Roman numeral is no digit
    "\xC0\xB1",  // an overlong "1"
    // commas that may group thousands, or that cannot be a decimal comma
    "1,000", "12,500", "-999,999", "1,2,3", "2,5.", ",",
    // thousands groups out of shape or out of place, scale signs misplaced
    "1,00,000", "0,250.5", "1234,567.5", "1.000,5", "1e1,000.5", "%", "5%%", "5%2", "%5", "5‰%"};

// A single comma that may group thousands or be a decimal comma: not a
// number, read as before (the leading digits), and named as ambiguous.
TEST(NumberReadingTest, ACommaThatMayGroupThousandsIsNamedAsAmbiguous) {
    for (const Reading& r : std::vector<Reading>{{"1,250", 1.0},
                                                 {"-999,999", -999.0},
                                                 {"１，２５０", 1.0},
                                                 {"1,250%", 1.0},
                                                 {"1/1,000", 1.0},
                                                 {" 5,000 ", 5.0}}) {
        EXPECT_TRUE(HasAmbiguousComma(r.text) && !ParseCellNumber(r.text)) << r.text;
        EXPECT_EQ(ReadDecimal(r.text), r.expected) << r.text;
    }
    for (const char* plain : {"2,5", "0,025", "1234,567", "1,250.50", "12,345,678", "1,2,3", "abc"})
        EXPECT_FALSE(HasAmbiguousComma(plain)) << plain;
}

const std::vector<Reading>& Readings() {
    static const std::vector<Reading> readings = {
        // plain numbers, signs, exponents
        {"3.5", 3.5},
        {"0.025", 0.025},
        {"-0.001", -0.001},
        {"+4", 4.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e3", 1000.0},
        {"2.5E-2", 0.025},
        {"-1.5e+1", -15.0},
        // blanks around the number
        {"  2.5", 2.5},
        {"2.5   ", 2.5},
        {"\t 7 \t", 7.0},
        {"\u3000"
         "8\u3000",
         8.0},
        {"\u20002", 2.0},
        // full-width digits, point, sign
        {"\uFF11\uFF12\uFF0E\uFF15", 12.5},
        {"\uFF0D\uFF13", -3.0},
        {"\uFF0B\uFF10\uFF0E\uFF12\uFF15", 0.25},
        {"1\uFF0E5", 1.5},
        // a whole number as such, otherwise the longest leading number
        {"3,5", 3.5},
        {"1,000", 1.0},
        {"1/0", 1.0},
        {"2,5m", 2.0},
        {"2.5m", 2.5},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"1e5x", 100000.0},
        {"1.2.3", 1.2},
        {"12 34", 12.0},
        {"0x1A", 0.0},
        // nothing to read
        {"", 0.0},
        {"   ", 0.0},
        {"abc", 0.0},
        {"-", 0.0},
        {"+-5", 0.0},
        {".", 0.0},
        {"e5", 0.0},
        {"- 5", 0.0},
        {"inf", 0.0},
        {"nan", 0.0},
        {"\xFF"
         "5",
         0.0},
        // beyond double range
        {"1e-400", 0.0},
    };
    return readings;
}

void ExpectWholeReadings() {
    for (const Reading& r : WholeNumbers()) {
        EXPECT_EQ(ParseCellNumber(r.text), r.expected) << "text: \"" << r.text << '"';
        EXPECT_EQ(ReadDecimal(r.text), r.expected) << "text: \"" << r.text << '"';
    }
    for (const char* text : kNotNumbers) EXPECT_EQ(ParseCellNumber(text), std::nullopt) << text;
}

void ExpectReadings() {
    for (const Reading& r : Readings()) {
        EXPECT_EQ(ReadDecimal(r.text), r.expected) << "text: \"" << r.text << '"';
    }
}

TEST(NumberReadingTest, WholeTextIsOneNumberOrNone) {
    ExpectWholeReadings();
}

TEST(NumberReadingTest, ReadsTheWholeNumberElseTheLongestLeadingOne) {
    ExpectReadings();
}

TEST(NumberReadingTest, OverflowGivesSignedInfinityAndUnderflowSignedZero) {
    EXPECT_EQ(ReadDecimal("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadDecimal("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadDecimal("123456789e99999999999"), std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::signbit(ReadDecimal("-1e-400")));
    EXPECT_EQ(ReadDecimal("0e999999"), 0.0);
    EXPECT_EQ(ReadDecimal("0.0001e-320"), 0.0);
}

TEST(NumberReadingTest, CellNumberIsTheDoubleRoundedToFloat) {
    // Read into double first, then rounded: "5.6055512" lies between floats,
    // so a direct float parse or a truncation would show here.
    EXPECT_EQ(ReadCellNumber("0.1"), static_cast<float>(0.1));
    EXPECT_EQ(ReadCellNumber("5.6055512"), static_cast<float>(5.6055512));
    EXPECT_EQ(ReadCellNumber("1e39"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ReadCellNumber("text"), 0.0f);
}

// Restores the "C" locale even when an assertion fails midway.
class DecimalCommaLocale {
  public:
    DecimalCommaLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                active_ = true;
                break;
            }
        }
    }
    ~DecimalCommaLocale() { std::setlocale(LC_ALL, "C"); }
    bool Active() const { return active_; }

  private:
    bool active_ = false;
};

TEST(NumberReadingTest, DecimalCommaLocaleGivesTheSameResults) {
    DecimalCommaLocale locale;
    if (!locale.Active()) GTEST_SKIP() << "no decimal-comma locale installed (set LOCPATH)";
    // The locale must really be in effect, or this test proves nothing.
    ASSERT_EQ(std::strtod("3.5", nullptr), 3.0);

    ExpectWholeReadings();
    ExpectReadings();
}

}  // namespace

}  // namespace channel
