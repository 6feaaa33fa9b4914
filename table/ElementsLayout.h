#pragma once

#include <concepts>
#include <optional>
#include <string>

namespace channel {

// The layout of the elements table, known here and nowhere else: its shape,
// what each column holds, the headings, the formats the columns show their
// values in, the inputs a row needs before it can be calculated with their
// prompts, and the cells as start-up leaves them. Standard C++ with UTF-8
// texts, so that the libraries without Qt read it too.
namespace elements_table {

// --- shape ------------------------------------------------------------------
inline constexpr int kRows = 11;
inline constexpr int kColumns = 12;
inline constexpr int kFixedRows = 1;
inline constexpr int kFixedColumns = 1;
inline constexpr int kHeadingRow = 0;
// The calculation rows, one channel section each.
inline constexpr int kFirstSectionRow = 1;
inline constexpr int kLastSectionRow = 10;
// Cell size on screen, in pixels.
inline constexpr int kRowHeight = 24;
inline constexpr int kColumnWidth = 58;

// --- columns ----------------------------------------------------------------
// The item number, with the row marker on the marked row; then the five
// inputs b, m, h, n, i and the six elements A, χ, R, C, Q, v, in the order of
// ChannelElements. The depth is a result in the discharge-known mode, the
// discharge its target.
enum Column : int {
    kItemColumn = 0,
    kBottomWidthColumn = 1,
    kSideSlopeColumn = 2,
    kDepthColumn = 3,
    kRoughnessColumn = 4,
    kBedSlopeColumn = 5,
    kAreaColumn = 6,
    kWettedPerimeterColumn = 7,
    kHydraulicRadiusColumn = 8,
    kChezyCoefficientColumn = 9,
    kDischargeColumn = 10,
    kVelocityColumn = 11,
};
// The columns that hold a section's values: every column but the item's.
inline constexpr Column kFirstValueColumn = kBottomWidthColumn;
inline constexpr Column kLastValueColumn = kVelocityColumn;

static_assert(kFixedRows == kFirstSectionRow && kLastSectionRow + 1 == kRows);
static_assert(kFixedColumns == kFirstValueColumn && kLastValueColumn + 1 == kColumns);

// --- headings (row 0) -------------------------------------------------------
inline constexpr const char* kHeadings[kColumns] = {
    "项目", "底宽", "边坡",     "水深",     "糙率", "纵坡1\\I",
    "面积", "湿周", "水力半径", "谢才系数", "流量", "流速",
};

// --- formats ----------------------------------------------------------------
struct ColumnFormat {
    bool numeric;
    int decimals;  // -1: as typed (the control's default)
};
// Roughness and slope are small numbers and keep their typed digits.
inline constexpr ColumnFormat kColumnFormats[kColumns] = {
    {false, -1},  // item
    {true, 2},    // bottom width
    {true, 2},    // side slope
    {true, 2},    // depth
    {true, -1},   // roughness
    {true, -1},   // bed slope
    {true, 2},    // area
    {true, 2},    // wetted perimeter
    {true, 2},    // hydraulic radius
    {true, 2},    // Chezy coefficient
    {true, 2},    // discharge
    {true, 2},    // velocity
};

// The control's own formulas: quotient = dividend / divisor.
struct DivisionFormula {
    Column dividend;
    Column divisor;
    Column quotient;
};
inline constexpr DivisionFormula kDivisionFormulas[] = {
    {kAreaColumn, kWettedPerimeterColumn, kHydraulicRadiusColumn},
    {kDischargeColumn, kAreaColumn, kVelocityColumn},
};

// --- the inputs every row needs ---------------------------------------------
// Status-line prompts, UTF-8. Mind the exclamation marks: only the
// bottom-width prompt ends in a half-width "!", the others in a full-width
// "！".
inline constexpr char kEnterBottomWidth[] = "请输入底宽数据!";
inline constexpr char kEnterSideSlope[] = "请输入边坡数据！";
inline constexpr char kEnterRoughness[] = "请输入糙率数据！";
inline constexpr char kEnterBedSlope[] = "请输入纵坡数据！";

struct RequiredInput {
    Column column;
    const char* prompt;
};
// In the order they are asked for. The depth is not among them: without it
// the row is calculated for its discharge.
inline constexpr RequiredInput kRequiredInputs[] = {
    {kBottomWidthColumn, kEnterBottomWidth},
    {kSideSlopeColumn, kEnterSideSlope},
    {kRoughnessColumn, kEnterRoughness},
    {kBedSlopeColumn, kEnterBedSlope},
};

// The first of kRequiredInputs whose cell `isEmpty` says is empty (a cell is
// empty only when its text has no characters), or nothing when the row has
// them all.
template <std::predicate<Column> IsEmpty>
constexpr std::optional<RequiredInput> FirstMissingInput(IsEmpty&& isEmpty) {
    for (const RequiredInput& input : kRequiredInputs)
        if (isEmpty(input.column)) return input;
    return std::nullopt;
}

// --- start-up ---------------------------------------------------------------
// A cell of the table as start-up and 新建 leave it: the headings in row 0,
// the item numbers 1 to 10 in the item column, every other cell empty.
std::string StartupCellText(int row, int column);

}  // namespace elements_table

}  // namespace channel
