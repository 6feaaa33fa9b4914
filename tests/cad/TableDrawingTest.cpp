#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "RecordingAutomation.h"
#include "TestTable.h"
#include "cad/TableDrawing.h"
#include "table/ElementsLayout.h"

namespace channel {

namespace {

using namespace elements_table;  // the columns

const std::vector<std::string> kHeadings = {"底宽",     "边坡", "水深", "糙率",
                                            "纵坡1\\I", "面积", "湿周", "水力半径",
                                            "谢才系数", "流量", "流速"};

// A computed row; its bottom width is the row number so rows can be told apart.
const std::initializer_list<const char*> kRowTail = {"1",    "0.8",   "0.014", "0.0004", "1.84",
                                                     "4.03", "0.457", "42.6",  "2.85",   "1.55"};
std::vector<std::string> DrawnRow(int row) {
    return {std::to_string(row) + ".00",
            "1.00",
            "0.80",
            "0.014",
            "0.0004",
            "1.84",
            "4.03",
            "0.46",
            "42.60",
            "2.85",
            "1.55"};
}

void FillComputedRow(TestTable& table, int row) {
    table.Set(row, kBottomWidthColumn, QString::number(row));
    int column = kSideSlopeColumn;
    for (const char* text : kRowTail) table.Set(row, column++, text);
}

// The texts inside the grid, band by band from the top (the headings' band
// first), each band's left to right, as its rules enclose them.
std::vector<std::vector<std::string>> Bands(const Drawing& drawing) {
    double gridTop = drawing.lines.front().from.y;
    for (const DrawingLine& line : drawing.lines) gridTop = std::max(gridTop, line.to.y);
    std::map<double, std::map<double, std::string>, std::greater<>> bands;
    for (const DrawingText& text : drawing.texts) {
        if (text.at.y < gridTop) bands[text.at.y][text.at.x] = text.utf8Text;
    }
    std::vector<std::vector<std::string>> rows;
    for (const auto& [y, band] : bands) {
        rows.emplace_back();
        for (const auto& [x, text] : band) rows.back().push_back(text);
    }
    return rows;
}

class TableDescriptionTest : public testing::TestWithParam<std::vector<int>> {};

// Row 3 carries the row marker in column 0; neither it nor the item column
// is drawn. Rows with inputs but no velocity are not computed, never drawn.
TEST_P(TableDescriptionTest, RulesHeadingsAndComputedRowsInTableOrderWithinTheFrame) {
    const std::vector<int>& computed = GetParam();
    TestTable table;
    std::vector<std::vector<std::string>> expected = {kHeadings};
    for (int row = kFirstSectionRow; row <= kLastSectionRow; ++row) {
        if (std::count(computed.begin(), computed.end(), row) > 0) {
            FillComputedRow(table, row);
            expected.push_back(DrawnRow(row));
        } else {
            table.FillRow(row, {"9", "9", "9", "9", "9", "9", "9", "9", "9", "9"}, false);
        }
    }
    table.Set(3, kItemColumn, "3  >>>");
    const Drawing drawing = DescribeElementsTable(DrawingCells(table.Source()));

    EXPECT_EQ(Bands(drawing), expected);
    // A rule below each band and one on top; one left of each column and one
    // closing the grid.
    const auto level = [](const DrawingLine& line) { return line.from.y == line.to.y; };
    EXPECT_EQ(std::count_if(drawing.lines.begin(), drawing.lines.end(), level),
              static_cast<long>(expected.size()) + 1);
    EXPECT_EQ(drawing.lines.size(), expected.size() + 1 + kHeadings.size() + 1);
    EXPECT_EQ(std::count_if(drawing.texts.begin(), drawing.texts.end(),
                            [](const DrawingText& t) { return t.utf8Text == "水利要素表"; }),
              1);
    for (std::size_t i = 0; i < drawing.texts.size(); ++i) {
        const DrawingBox box = TextBox(drawing.texts[i]);
        EXPECT_TRUE(drawing.frame.Contains(box)) << drawing.texts[i].utf8Text;
        for (std::size_t j = i + 1; j < drawing.texts.size(); ++j) {
            EXPECT_FALSE(box.Overlaps(TextBox(drawing.texts[j])))
                << drawing.texts[i].utf8Text << " over " << drawing.texts[j].utf8Text;
        }
    }
    for (const DrawingLine& line : drawing.lines) {
        EXPECT_TRUE(drawing.frame.Contains(line.from) && drawing.frame.Contains(line.to));
    }
}

INSTANTIATE_TEST_SUITE_P(ComputedRows, TableDescriptionTest,
                         testing::Values(std::vector<int>{}, std::vector<int>{2, 5, 9},
                                         std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

// A number is drawn re-formatted: a 2-digit column rounded from the
// single-precision value the table shows (9.215 is the float just above,
// 12.535 just below; 16777217 is the float 16777216), roughness and slope from
// the text's own value. A text, or a value that is no real number (also one
// the table side read as infinite), is drawn as the table shows it, never as a
// made-up 0.00. Any velocity text makes a row computed.
TEST(TableDescriptionTest, ValuesAreDrawnAsTheTableShowsThem) {
    TestTable table;
    table.FillRow(4, {"1.115", "0.125", "9.215", "0.00125", "1e39", "12.535", "16777217", "1e39",
                      "1", "1", "1"});
    table.FillRow(6, {"12345.678", "1.5", "2", "0.0149", "1000", "1234.5", "2.5m", " 7 ", "",
                      "-0.001", "不是数字"});
    table.FillRow(
        8, {"nan", "inf", "-inf", "0.00035", "0.0005", "1e400", "abc", "1e3", "1", "1", "1"});
    table.SetShown(8, kBottomWidthColumn, "无效值");
    table.SetShown(8, kSideSlopeColumn, "∞(无效)");
    table.SetShown(8, kDepthColumn, "-∞(无效)");
    const TableCellSource tableCells = DrawingCells(table.Source());
    const TableCellSource cells = [&tableCells](int row, int column) {
        TableCell cell = tableCells(row, column);
        if (row == 8 && column == kDischargeColumn) cell = {"1e999", "溢出", HUGE_VAL};
        return cell;
    };

    const std::vector<std::vector<std::string>> bands = Bands(DescribeElementsTable(cells));

    const std::vector<std::vector<std::string>> expected = {
        kHeadings,
        {"1.12", "0.13", "9.22", "0.0013", "1e39", "12.53", "16777216.00", "1e39", "1.00", "1.00",
         "1.00"},
        {"12345.68", "1.50", "2.00", "0.015", "1000.000", "1234.50", "2.5m", "7.00", "", "0.00",
         "不是数字"},
        {"无效值", "∞(无效)", "-∞(无效)", "0.00035", "0.0005", "1e400", "abc", "1000.00", "1.00",
         "溢出", "1.00"}};
    EXPECT_EQ(bands, expected);
}

// Every reference an export obtains is released exactly once: the slots a
// second export replaces at once, the rest when the connection is released.
TEST(TableDrawingTest, TwoExportsDrawTwoCompleteCopiesAndReleaseEveryReference) {
    TestTable table;
    for (int row : {2, 5, 9}) FillComputedRow(table, row);
    const TableCellSource cells = DrawingCells(table.Source());
    const Drawing drawing = DescribeElementsTable(cells);
    RecordingAutomation recorder;
    CadConnection connection;

    EXPECT_EQ(DrawElementsTable(connection, recorder, cells), DrawingOutcome::Drawn);
    EXPECT_EQ(DrawElementsTable(connection, recorder, cells), DrawingOutcome::Drawn);
    ReleaseCadConnection(connection);

    std::map<std::string, int> held;  // by name: obtained minus released
    int lines = 0;
    int texts = 0;
    for (const std::string& call : recorder.Calls()) {
        const std::size_t arrow = call.rfind(" -> ");
        if (arrow != std::string::npos) ++held[call.substr(arrow + 4, call.find('[') - arrow - 4)];
        if (call.starts_with("Release")) --held[call.substr(call.find(' ') + 1)];
        lines += call.find(".addline(") != std::string::npos ? 1 : 0;
        texts += call.find(".AddText(") != std::string::npos ? 1 : 0;
    }
    for (const auto& [name, count] : held) EXPECT_EQ(count, 0) << name;
    EXPECT_EQ(held.size(), 2 * (3 + 3 + 1 + drawing.lines.size() + drawing.texts.size()));
    EXPECT_EQ(lines, 2 * static_cast<int>(drawing.lines.size()));
    EXPECT_EQ(texts, 2 * static_cast<int>(drawing.texts.size()));
}

TEST(TableDrawingTest, StartsAnApplicationOnlyWhenNoneRuns) {
    TestTable table;
    RecordingAutomation recorder(NoneRunning());
    CadConnection connection;

    EXPECT_EQ(DrawElementsTable(connection, recorder, DrawingCells(table.Source())),
              DrawingOutcome::Drawn);

    const std::vector<std::string> opening(recorder.Calls().begin(), recorder.Calls().begin() + 3);
    EXPECT_EQ(opening, (std::vector<std::string>{
                           "AttachRunning autocad.Application -> none",
                           "CreateInstance autocad.Application -> autocad.Application#1",
                           "SetProperty autocad.Application#1.Visible = bool:true"}));
    ReleaseCadConnection(connection);
}

TEST(TableDrawingTest, UnreachableApplicationStopsAfterTryingToStartOneAndReleasesTheOldOne) {
    TestTable table;
    CadConnection connection;
    RecordingAutomation earlier;
    DrawElementsTable(connection, earlier, DrawingCells(table.Source()));
    earlier.ClearCalls();
    RecordingAutomation absent(Unreachable());

    EXPECT_EQ(DrawElementsTable(connection, absent, DrawingCells(table.Source())),
              DrawingOutcome::Unreachable);

    EXPECT_EQ(absent.Calls(),
              (std::vector<std::string>{"AttachRunning autocad.Application -> none",
                                        "CreateInstance autocad.Application -> none"}));
    EXPECT_EQ(earlier.Calls(), std::vector<std::string>{"ReleaseObject autocad.Application#1"});
    EXPECT_EQ(connection.cadApplication, nullptr);
    ReleaseCadConnection(connection);
}

struct FailureCase {
    const char* name;
    const char* failingMember;
    // A call every text or line then makes on an empty object.
    const char* callOnEmpty;
    int expectedCallsOnEmpty;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class FailedCallTest : public testing::TestWithParam<FailureCase> {};

// A failed read leaves its slot empty; every later call on it fails quietly
// and the export goes on to its end, reporting that it is incomplete.
TEST_P(FailedCallTest, GoesOnToTheEndAndReportsIncomplete) {
    const FailureCase& c = GetParam();
    TestTable table;
    FillComputedRow(table, 1);
    RecordingAutomation recorder(FailingMember(c.failingMember));
    CadConnection connection;

    EXPECT_EQ(DrawElementsTable(connection, recorder, DrawingCells(table.Source())),
              DrawingOutcome::Incomplete);

    const auto& calls = recorder.Calls();
    const auto onEmpty = std::count_if(calls.begin(), calls.end(), [&](const std::string& call) {
        return call.starts_with(c.callOnEmpty);
    });
    EXPECT_EQ(onEmpty, c.expectedCallsOnEmpty);
    ReleaseCadConnection(connection);
}

// N = 1: 3 + 12 lines, 11 headings + title + 11 values = 23 texts.
INSTANTIATE_TEST_SUITE_P(
    EmptySlots, FailedCallTest,
    testing::Values(
        FailureCase{"NoActiveDrawing", "ActiveDocument", "CallObjectMethod <empty>.addline(", 15},
        FailureCase{"NoModelSpace", "ModelSpace", "CallObjectMethod <empty>.AddText(", 23},
        FailureCase{"TextNotAdded", "AddText",
                    "SetProperty <empty>.scalefactor = double:0.7 failed", 23},
        FailureCase{"NoTextStyle", "ActiveTextStyle", "SetProperty <empty>.BigFontFile", 1}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

}  // namespace

}  // namespace channel
