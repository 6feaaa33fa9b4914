#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
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
// Each cell shows its own text here.
std::vector<std::string> DrawnRow(int row) {
    std::vector<std::string> texts = {std::to_string(row)};
    texts.insert(texts.end(), kRowTail.begin(), kRowTail.end());
    return texts;
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

// A value is drawn as the table shows its cell, whatever its own text: the
// digits of its column (1.5444 shows 1.54, 9.215 the float above it 9.22),
// every digit typed (0.0225, 0.00035), a fraction as typed, a word for a
// value that is no number.
TEST(TableDescriptionTest, ValuesAreDrawnAsTheTableShowsThem) {
    const std::vector<std::pair<const char*, const char*>> row = {
        // text, shown
        {"2", "2.00"},        {"1.5", "1.50"},    {"nan", "无效值"},     {"0.0225", "0.0225"},
        {"1/2000", "1/2000"}, {"1.5444", "1.54"}, {"9.215", "9.22"},     {"2.5m", "2.5m"},
        {"1e39", "∞(无效)"},  {"", ""},           {"0.00035", "0.00035"}};
    TestTable table;
    std::vector<std::string> expected;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        const auto& [text, shown] = row.at(static_cast<std::size_t>(column - kFirstValueColumn));
        table.Set(4, column, text);
        table.SetShown(4, column, shown);
        expected.emplace_back(shown);
    }
    EXPECT_EQ(Bands(DescribeElementsTable(DrawingCells(table.Source()))),
              (std::vector<std::vector<std::string>>{kHeadings, expected}));
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
