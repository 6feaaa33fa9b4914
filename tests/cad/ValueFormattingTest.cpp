#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <random>
#include <vector>

#include "cad/CellTextSource.h"
#include "cad/ValueFormatting.h"
#include "table/CellText.h"
#include "table/ElementsLayout.h"

namespace channel {

using namespace elements_table;  // the columns

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
    // Rounded from the single-precision value, as the table shows it: 1234567.891
    // is the float 1234567.875, 1e15 the float 999999986991104; exact ties go
    // away from zero (0.125, -0.375), the float just above or below a decimal
    // tie to its nearest (9.215 is above, 12.535 below).
    testing::Values(
        FormatCase{1.5, kBottomWidthColumn, "1.50"}, FormatCase{1000, kDischargeColumn, "1000.00"},
        FormatCase{1234567.891, kAreaColumn, "1234567.88"},
        FormatCase{9999.996, kChezyCoefficientColumn, "10000.00"},
        FormatCase{-2.345678, kDepthColumn, "-2.35"}, FormatCase{-0.001, kVelocityColumn, "0.00"},
        FormatCase{0.0005, kSideSlopeColumn, "0.00"}, FormatCase{0, kBottomWidthColumn, "0.00"},
        FormatCase{1e15, kWettedPerimeterColumn, "999999986991104.00"},
        FormatCase{0.125, kAreaColumn, "0.13"}, FormatCase{-0.375, kAreaColumn, "-0.38"},
        FormatCase{9.215, kAreaColumn, "9.22"}, FormatCase{12.535, kAreaColumn, "12.53"},
        FormatCase{1.115, kBottomWidthColumn, "1.12"}));

// Roughness and slope: three digits at least, two significant digits always.
INSTANTIATE_TEST_SUITE_P(SmallValueColumns, FormatDrawnValueTest,
                         testing::Values(FormatCase{0.0005, kBedSlopeColumn, "0.0005"},
                                         FormatCase{0.00035, kBedSlopeColumn, "0.00035"},
                                         FormatCase{0.00049, kRoughnessColumn, "0.00049"},
                                         FormatCase{0.000123, kBedSlopeColumn, "0.00012"},
                                         FormatCase{0.014, kRoughnessColumn, "0.014"},
                                         FormatCase{0.0149, kRoughnessColumn, "0.015"},
                                         FormatCase{0.0225, kRoughnessColumn, "0.022"},
                                         FormatCase{0.5, kRoughnessColumn, "0.500"},
                                         FormatCase{0.000996, kBedSlopeColumn, "0.001"},
                                         FormatCase{0.0009996, kBedSlopeColumn, "0.001"},
                                         FormatCase{1e-10, kBedSlopeColumn, "0.0000000001"},
                                         FormatCase{-0.0005, kBedSlopeColumn, "-0.0005"},
                                         FormatCase{0, kBedSlopeColumn, "0.000"},
                                         FormatCase{-0.0, kRoughnessColumn, "0.000"},
                                         FormatCase{123.4567, kRoughnessColumn, "123.457"},
                                         FormatCase{1000, kBedSlopeColumn, "1000.000"},
                                         FormatCase{std::numeric_limits<double>::denorm_min(),
                                                    kBedSlopeColumn,
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
        EXPECT_EQ(cell_text::Number(QString::fromUtf8(c.text)), c.number) << c.text;
    }
}

}  // namespace

namespace {

// Whatever number the table shows in a 2-digit column, the drawing writes
// the same digits: random values across magnitudes, and every exact tie
// n/8 at two decimals.
TEST(FormatDrawnValueAgreement, TwoDigitColumnsDrawWhatTheTableShows) {
    std::mt19937 random(20261209);
    std::vector<double> values;
    for (int n = -4000; n <= 4000; ++n) values.push_back(n / 8.0);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-4, 7);
    for (int i = 0; i < 20000; ++i)
        values.push_back(mantissa(random) * std::pow(10, exponent(random)));
    for (double value : values) {
        const QString text = QString::number(value, 'g', 17);
        const std::string drawn = FormatDrawnValue(value, kAreaColumn);
        ASSERT_EQ(drawn, cell_text::Rounded(text, 2).toStdString())
            << "text " << text.toStdString();
    }
}

}  // namespace

}  // namespace channel
