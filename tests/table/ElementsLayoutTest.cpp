#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "table/ElementsLayout.h"

namespace channel {

namespace {

using namespace elements_table;  // the columns

struct MissingCase {
    std::set<int> emptyColumns;
    std::optional<Column> missing;  // nothing: the row has every required input
    const char* prompt;
};

// The four inputs are asked for in the order b, m, n, i, whatever else is
// empty; the depth and the discharge are never asked for. The prompts are
// checked as the user reads them (only the first ends in a half-width "!").
TEST(FirstMissingInputTest, IsTheFirstEmptyOfBottomWidthSideSlopeRoughnessBedSlope) {
    const MissingCase cases[] = {
        {{kBottomWidthColumn, kSideSlopeColumn, kDepthColumn, kRoughnessColumn, kBedSlopeColumn},
         kBottomWidthColumn,
         "请输入底宽数据!"},
        {{kSideSlopeColumn, kRoughnessColumn, kBedSlopeColumn},
         kSideSlopeColumn,
         "请输入边坡数据！"},
        {{kRoughnessColumn, kBedSlopeColumn, kDepthColumn}, kRoughnessColumn, "请输入糙率数据！"},
        {{kBedSlopeColumn, kDischargeColumn}, kBedSlopeColumn, "请输入纵坡数据！"},
        {{kDepthColumn, kDischargeColumn, kItemColumn, kVelocityColumn}, std::nullopt, nullptr},
        {{}, std::nullopt, nullptr},
    };
    for (const MissingCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        std::vector<int> asked;
        const std::optional<RequiredInput> found = FirstMissingInput([&](int column) {
            asked.push_back(column);
            return c.emptyColumns.contains(column);
        });
        ASSERT_EQ(found.has_value(), c.missing.has_value());
        if (!found) continue;
        EXPECT_EQ(found->column, *c.missing);
        EXPECT_STREQ(found->prompt, c.prompt);
        EXPECT_EQ(asked.back(), *c.missing) << "stops at the first empty input";
    }
}

// Row 0 holds the headings, the item column the row numbers, nothing else
// anything; outside the table there is no cell.
TEST(StartupCellTextTest, HeadingsAndItemNumbersOnly) {
    EXPECT_EQ(StartupCellText(kHeadingRow, kItemColumn), "项目");
    EXPECT_EQ(StartupCellText(kHeadingRow, kBedSlopeColumn), "纵坡1\\I");
    EXPECT_EQ(StartupCellText(kHeadingRow, kVelocityColumn), "流速");
    EXPECT_EQ(StartupCellText(kFirstSectionRow, kItemColumn), "1");
    EXPECT_EQ(StartupCellText(kLastSectionRow, kItemColumn), "10");
    for (int row = kFirstSectionRow; row <= kLastSectionRow; ++row)
        for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
            EXPECT_EQ(StartupCellText(row, column), "") << row << ", " << column;
    EXPECT_EQ(StartupCellText(kRows, kItemColumn), "");
    EXPECT_EQ(StartupCellText(-1, kItemColumn), "");
    EXPECT_EQ(StartupCellText(kHeadingRow, kColumns), "");
}

}  // namespace

}  // namespace channel
