#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ExpectedCalls.h"
#include "RecordingAutomation.h"
#include "SameCalls.h"
#include "TestTable.h"
#include "cad/TableDrawing.h"
#include "table/ElementsLayout.h"

namespace channel {

namespace {

using namespace elements_table;  // the columns

const std::vector<std::string> kHeadings = {"底宽",     "边坡", "水深", "糙率",
                                            "纵坡1\\I", "面积", "湿周", "水力半径",
                                            "谢才系数", "流量", "流速"};
const std::vector<double> kHeadingXs = {29, 49, 69, 89, 109, 129, 149, 169, 189, 209, 229};
const std::vector<double> kValueXs = {30, 50, 70, 90, 110, 130, 150, 170, 190, 210, 230};

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

// One export as the layout prescribes it, given its literal coordinates.
struct Layout {
    double gridTop;
    double headingY;
    double titleY;
    std::vector<double> rowYs;  // top to bottom
};

void ExpectExport(ExpectedCalls& expected, const Layout& layout,
                  const std::vector<std::vector<std::string>>& drawnRows,
                  bool applicationRunning = true) {
    expected.Open(applicationRunning);
    for (double y = 16; y <= layout.gridTop; y += 16) expected.Line(20, y, 240, y);
    for (double x = 20; x <= 240; x += 20) expected.Line(x, 16, x, layout.gridTop);
    expected.TextStyle();
    for (std::size_t j = 0; j < kHeadings.size(); ++j) {
        expected.Text(kHeadings[j], kHeadingXs[j], layout.headingY, 6);
    }
    expected.Text("水利要素表", 130, layout.titleY, 15);
    for (std::size_t k = 0; k < drawnRows.size(); ++k) {
        for (std::size_t j = 0; j < kValueXs.size(); ++j) {
            expected.Text(drawnRows[k][j], kValueXs[j], layout.rowYs[k], 5);
        }
    }
}

struct LayoutCase {
    const char* name;
    std::vector<int> computedRows;
    Layout layout;
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.name;
}

class TableLayoutTest : public testing::TestWithParam<LayoutCase> {};

// Row 3 carries the row marker in column 0; neither it nor the item column
// appears among the calls.
TEST_P(TableLayoutTest, DrawsRulesHeadingsTitleAndComputedRowsInOrderThenReleasesAtExit) {
    const LayoutCase& c = GetParam();
    TestTable table;
    std::vector<std::vector<std::string>> drawnRows;
    for (int row = kFirstSectionRow; row <= kLastSectionRow; ++row) {
        if (std::count(c.computedRows.begin(), c.computedRows.end(), row) > 0) {
            FillComputedRow(table, row);
            drawnRows.push_back(DrawnRow(row));
        } else {
            // Inputs present, velocity empty: not computed, never drawn.
            table.FillRow(row, {"9", "9", "9", "9", "9", "9", "9", "9", "9", "9"}, false);
        }
    }
    table.Set(3, kItemColumn, "3  >>>");
    RecordingAutomation recorder;
    CadConnection connection;

    EXPECT_EQ(DrawElementsTable(connection, recorder, DrawingCells(table.Source())),
              DrawingOutcome::Drawn);
    ReleaseCadConnection(connection);

    ExpectedCalls expected;
    ExpectExport(expected, c.layout, drawnRows);
    expected.ReleaseAtExit();
    ExpectSameCalls(recorder.Calls(), expected.Calls());
}

INSTANTIATE_TEST_SUITE_P(
    ComputedRows, TableLayoutTest,
    testing::Values(LayoutCase{"None", {}, {32, 22, 42, {}}},
                    LayoutCase{"Rows2_5_9", {2, 5, 9}, {80, 70, 90, {54, 38, 22}}},
                    LayoutCase{"All",
                               {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
                               {192, 182, 202, {166, 150, 134, 118, 102, 86, 70, 54, 38, 22}}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

// Texts and values that are no real number are drawn as the table shows
// them, never as a made-up 0.00; numbers are re-formatted.
TEST(TableDrawingTest, AnyVelocityTextCountsAsComputedAndNonNumbersAreDrawnAsShown) {
    TestTable table;
    table.FillRow(6, {"12345.678", "1.5", "2", "0.0149", "1000", "1234.5", "2.5m", " 7 ", "",
                      "-0.001", "不是数字"});
    table.FillRow(
        8, {"nan", "inf", "-inf", "0.00035", "0.0005", "1e400", "abc", "1e3", "1", "1", "1"});
    table.SetShown(8, kBottomWidthColumn, "无效值");
    table.SetShown(8, kSideSlopeColumn, "∞(无效)");
    table.SetShown(8, kDepthColumn, "-∞(无效)");
    RecordingAutomation recorder;
    CadConnection connection;

    DrawElementsTable(connection, recorder, DrawingCells(table.Source()));

    ExpectedCalls expected;
    ExpectExport(expected, {64, 54, 74, {38, 22}},
                 {{"12345.68", "1.50", "2.00", "0.015", "1000.000", "1234.50", "2.5m", "7.00", "",
                   "0.00", "不是数字"},
                  {"无效值", "∞(无效)", "-∞(无效)", "0.00035", "0.0005", "1e400", "abc", "1000.00",
                   "1.00", "1.00", "1.00"}});
    ExpectSameCalls(recorder.Calls(), expected.Calls());
}

// A value in a 2-digit column is drawn as the table shows it: rounded from
// the single-precision value the calculation uses, so ties and digits beyond
// single precision come out as in the table (9.215 is the float just above,
// 12.535 just below; 16777217 is the float 16777216). Roughness and slope
// are drawn from the text's own value, as the table shows them as typed.
TEST(TableDrawingTest, TwoDigitColumnsRoundAsTheTableShows) {
    TestTable table;
    table.FillRow(4, {"1.115", "0.125", "9.215", "0.00125", "1e39", "12.535", "16777217", "1e39",
                      "1", "1", "1"});
    RecordingAutomation recorder;
    CadConnection connection;

    DrawElementsTable(connection, recorder, DrawingCells(table.Source()));

    ExpectedCalls expected;
    ExpectExport(expected, {48, 38, 58, {22}},
                 {{"1.12", "0.13", "9.22", "0.0013", "1e39", "12.53", "16777216.00", "1e39", "1.00",
                   "1.00", "1.00"}});
    ExpectSameCalls(recorder.Calls(), expected.Calls());
    ReleaseCadConnection(connection);
}

// A number the table side read as not finite is drawn as shown, too.
TEST(TableDrawingTest, ANonFiniteNumberIsDrawnAsTheTableShowsIt) {
    TestTable table;
    FillComputedRow(table, 1);
    const TableCellSource tableCells = DrawingCells(table.Source());
    const TableCellSource cells = [&tableCells](int row, int column) {
        TableCell cell = tableCells(row, column);
        if (row == 1 && column == kDischargeColumn) cell = {"1e999", "溢出", HUGE_VAL};
        return cell;
    };
    RecordingAutomation recorder;
    CadConnection connection;

    DrawElementsTable(connection, recorder, cells);

    std::vector<std::string> row = DrawnRow(1);
    row[kDischargeColumn - kFirstValueColumn] = "溢出";
    ExpectedCalls expected;
    ExpectExport(expected, {48, 38, 58, {22}}, {row});
    ExpectSameCalls(recorder.Calls(), expected.Calls());
}

TEST(TableDrawingTest, TwoExportsDrawTwoCompleteCopiesReplacingEverySlot) {
    TestTable table;
    for (int row : {2, 5, 9}) FillComputedRow(table, row);
    RecordingAutomation recorder;
    CadConnection connection;

    DrawElementsTable(connection, recorder, DrawingCells(table.Source()));
    DrawElementsTable(connection, recorder, DrawingCells(table.Source()));
    ReleaseCadConnection(connection);

    const Layout layout{80, 70, 90, {54, 38, 22}};
    const std::vector<std::vector<std::string>> rows = {DrawnRow(2), DrawnRow(5), DrawnRow(9)};
    ExpectedCalls expected;
    ExpectExport(expected, layout, rows);
    ExpectExport(expected, layout, rows);
    expected.ReleaseAtExit();
    ExpectSameCalls(recorder.Calls(), expected.Calls());
}

TEST(TableDrawingTest, StartsAnApplicationOnlyWhenNoneRuns) {
    TestTable table;
    RecordingAutomation recorder(NoneRunning());
    CadConnection connection;

    EXPECT_EQ(DrawElementsTable(connection, recorder, DrawingCells(table.Source())),
              DrawingOutcome::Drawn);

    ExpectedCalls expected;
    ExpectExport(expected, {32, 22, 42, {}}, {}, false);
    ExpectSameCalls(recorder.Calls(), expected.Calls());
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
