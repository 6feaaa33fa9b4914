#include "cad/TableDrawing.h"

#include <string>
#include <utility>

#include "cad/DrawingAutomation.h"
#include "table/ElementsLayout.h"

namespace channel {

namespace {

using elements_table::kFirstSectionRow;
using elements_table::kHeadingRow;
using elements_table::kLastSectionRow;
using elements_table::kVelocityColumn;
// The item column holds the item numbers and the row marker; it is never
// drawn.
constexpr int kFirstDrawnColumn = elements_table::kFirstValueColumn;
constexpr int kLastDrawnColumn = elements_table::kLastValueColumn;
constexpr int kDrawnColumns = kLastDrawnColumn - kFirstDrawnColumn + 1;

constexpr double kColumnWidth = 20;
constexpr double kRowHeight = 16;
constexpr double kGridLeft = 20;
constexpr double kGridRight = kGridLeft + kColumnWidth * kDrawnColumns;
constexpr double kGridBottom = 16;
// One rule left of each drawn column and one closing the grid.
constexpr int kVerticalRules = kDrawnColumns + 1;
// Texts sit 6 units above the lower rule of their band.
constexpr double kTextRaise = 6;
// Headings sit one unit left of their column's centre.
constexpr double kHeadingShift = -1;

constexpr int kHeadingHeight = 6;
constexpr int kTitleHeight = 15;
constexpr int kValueHeight = 5;
constexpr char kTitle[] = "水利要素表";
constexpr double kTitleX = 130;
constexpr double kTitleRaise = 10;

bool IsComputed(const TableCellSource& cells, int row) {
    return !cells(row, kVelocityColumn).utf8Text.empty();
}

int CountComputedRows(const TableCellSource& cells) {
    int count = 0;
    for (int row = kFirstSectionRow; row <= kLastSectionRow; ++row) {
        if (IsComputed(cells, row)) ++count;
    }
    return count;
}

double ColumnCentre(int column) {
    return kGridLeft + kColumnWidth * (column - kFirstDrawnColumn) + kColumnWidth / 2;
}

void Text(Drawing& drawing, std::string text, double x, double y, int height) {
    drawing.texts.push_back(
        {std::move(text), {x, y}, TextAnchor::Middle, height, drawing_layers::kText});
}

void DrawRules(Drawing& drawing, double gridTop, int bands) {
    const auto rule = [&drawing](double x1, double y1, double x2, double y2) {
        drawing.lines.push_back({{x1, y1}, {x2, y2}, LineStyle::Solid, drawing_layers::kTable});
    };
    for (int i = 0; i <= bands; ++i) {
        const double y = kGridBottom + kRowHeight * i;
        rule(kGridLeft, y, kGridRight, y);
    }
    for (int i = 0; i < kVerticalRules; ++i) {
        const double x = kGridLeft + kColumnWidth * i;
        rule(x, kGridBottom, x, gridTop);
    }
}

void DrawValues(Drawing& drawing, const TableCellSource& cells, int computedRows) {
    // The band of the next drawn row, counted from the bottom one (0).
    int band = computedRows - 1;
    for (int row = kFirstSectionRow; row <= kLastSectionRow; ++row) {
        if (!IsComputed(cells, row)) continue;
        const double y = kGridBottom + kRowHeight * band + kTextRaise;
        for (int column = kFirstDrawnColumn; column <= kLastDrawnColumn; ++column) {
            Text(drawing, cells(row, column).utf8Shown, ColumnCentre(column), y, kValueHeight);
        }
        --band;
    }
}

}  // namespace

Drawing DescribeElementsTable(const TableCellSource& cells) {
    const int computedRows = CountComputedRows(cells);
    // One band for the headings and one per computed row.
    const int bands = computedRows + 1;
    const double gridTop = kGridBottom + kRowHeight * bands;
    const double titleY = gridTop + kTitleRaise;
    Drawing drawing;
    drawing.frame = {kGridLeft, kGridBottom, kGridRight, titleY + kTitleHeight / 2.0};
    DrawRules(drawing, gridTop, bands);

    const double headingY = gridTop - kRowHeight + kTextRaise;
    for (int column = kFirstDrawnColumn; column <= kLastDrawnColumn; ++column) {
        Text(drawing, cells(kHeadingRow, column).utf8Text, ColumnCentre(column) + kHeadingShift,
             headingY, kHeadingHeight);
    }
    Text(drawing, kTitle, kTitleX, titleY, kTitleHeight);
    DrawValues(drawing, cells, computedRows);
    return drawing;
}

DrawingOutcome DrawElementsTable(CadConnection& connection, Automation& automation,
                                 const TableCellSource& cells) {
    return RenderThroughAutomation(connection, automation, DescribeElementsTable(cells));
}

}  // namespace channel
