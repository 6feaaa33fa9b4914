#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "cad/CellTextSource.h"
#include "cad/ValueFormatting.h"

namespace {

struct FormatCase {
    double value;
    int column;
    std::string drawn;
};

void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.value << " in column " << c.column;
}

class FormatDrawnValueTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatDrawnValueTest, WritesTheDigitsOfItsColumnWithoutGrouping) {
    EXPECT_EQ(FormatDrawnValue(GetParam().value, GetParam().column), GetParam().drawn);
}

INSTANTIATE_TEST_SUITE_P(
    TwoDigitColumns, FormatDrawnValueTest,
    testing::Values(FormatCase{1.5, 1, "1.50"}, FormatCase{1000, 10, "1000.00"},
                    FormatCase{1234567.891, 6, "1234567.89"}, FormatCase{9999.996, 9, "10000.00"},
                    FormatCase{-2.345678, 3, "-2.35"}, FormatCase{-0.001, 11, "0.00"},
                    FormatCase{0.0005, 2, "0.00"}, FormatCase{0, 1, "0.00"},
                    FormatCase{1e15, 7, "1000000000000000.00"}));

// Roughness and slope: three digits at least, two significant digits always.
INSTANTIATE_TEST_SUITE_P(
    SmallValueColumns, FormatDrawnValueTest,
    testing::Values(FormatCase{0.0005, 5, "0.0005"}, FormatCase{0.00035, 5, "0.00035"},
                    FormatCase{0.00049, 4, "0.00049"}, FormatCase{0.000123, 5, "0.00012"},
                    FormatCase{0.014, 4, "0.014"}, FormatCase{0.0149, 4, "0.015"},
                    FormatCase{0.0225, 4, "0.022"}, FormatCase{0.5, 4, "0.500"},
                    FormatCase{0.000996, 5, "0.001"}, FormatCase{0.0009996, 5, "0.001"},
                    FormatCase{1e-10, 5, "0.0000000001"}, FormatCase{-0.0005, 5, "-0.0005"},
                    FormatCase{0, 5, "0.000"}, FormatCase{-0.0, 4, "0.000"},
                    FormatCase{123.4567, 4, "123.457"}, FormatCase{1000, 5, "1000.000"},
                    FormatCase{std::numeric_limits<double>::denorm_min(), 5,
                               "0." + std::string(323, '0') + "49"}));

struct NumberCase {
    const char* text;
    std::optional<double> number;
};

// The drawing asks only whether a cell holds one number, and which.
TEST(CellNumberTest, IsTheValueOfAWholeNumberTextAndNothingForAnyOtherText) {
    for (const NumberCase& c :
         {NumberCase{"1.5", 1.5}, NumberCase{" 2 ", 2.0}, NumberCase{"-0.0005", -0.0005},
          NumberCase{"1e3", 1000.0}, NumberCase{"+4", 4.0}, NumberCase{"", std::nullopt},
          NumberCase{"abc", std::nullopt}, NumberCase{"2.5m", std::nullopt},
          NumberCase{"无效值", std::nullopt}, NumberCase{"1.2.3", std::nullopt}}) {
        EXPECT_EQ(CellNumber(QString::fromUtf8(c.text)), c.number) << c.text;
    }
}

}  // namespace
