#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "hydraulics/NumberReading.h"

namespace {

struct Reading {
    const char* text;
    double expected;
};

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
        // full-width digits, point, sign
        {"\uFF11\uFF12\uFF0E\uFF15", 12.5},
        {"\uFF0D\uFF13", -3.0},
        {"\uFF0B\uFF10\uFF0E\uFF12\uFF15", 0.25},
        {"1\uFF0E5", 1.5},
        // longest leading number
        {"2.5m", 2.5},
        {"3,5", 3.0},
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

TEST(NumberReadingTest, ReadsLongestLeadingDecimalNumber) {
    for (const Reading& r : Readings()) {
        EXPECT_EQ(ReadDecimal(r.text), r.expected) << "text: \"" << r.text << '"';
    }
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

    for (const Reading& r : Readings()) {
        EXPECT_EQ(ReadDecimal(r.text), r.expected) << "text: \"" << r.text << '"';
    }
}

}  // namespace
