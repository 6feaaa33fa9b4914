#include "cad/ValueFormatting.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase {
    const char* cell;
    int digits;
    const char* drawn;
};

void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << '"' << c.cell << "\" with " << c.digits << " digits";
}

class FormatDrawnValueTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatDrawnValueTest, RoundsToTheDigitsWithoutGrouping) {
    EXPECT_EQ(FormatDrawnValue(GetParam().cell, GetParam().digits), GetParam().drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, FormatDrawnValueTest,
    testing::Values(FormatCase{"1.5", 2, "1.50"}, FormatCase{"0.014", 3, "0.014"},
                    FormatCase{"0.0004", 3, "0.000"}, FormatCase{"0.0006", 3, "0.001"},
                    FormatCase{"1000", 2, "1000.00"}, FormatCase{"1234567.891", 2, "1234567.89"},
                    FormatCase{"9999.996", 2, "10000.00"}, FormatCase{"1e3", 3, "1000.000"},
                    FormatCase{"-2.345678", 2, "-2.35"}, FormatCase{"-0.001", 2, "0.00"},
                    FormatCase{"2.5m", 2, "2.50"}, FormatCase{"  3.14159 ", 3, "3.142"},
                    FormatCase{"１．２５", 2, "1.25"}, FormatCase{"abc", 2, "0.00"},
                    FormatCase{"", 3, "0.000"}));

TEST(DrawnDigitsForColumnTest, RoughnessAndSlopeGetThreeDigitsAllOthersTwo) {
    for (int column = 1; column <= 11; ++column) {
        EXPECT_EQ(DrawnDigitsForColumn(column), column == 4 || column == 5 ? 3 : 2) << column;
    }
}

}  // namespace
