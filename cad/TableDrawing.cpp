#include "cad/TableDrawing.h"

#include <cmath>

#include "cad/ValueFormatting.h"
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

// A number is drawn re-formatted; a text, or a value that is no real number,
// as the table shows it rather than as a made-up 0.
std::string DrawnValue(const TableCell& cell, int column) {
    // The table shows a number beyond single precision as typed; so does the
    // drawing.
    if (cell.number && std::isfinite(static_cast<float>(*cell.number)))
        return FormatDrawnValue(*cell.number, column);
    return cell.utf8Shown;
}

double ColumnCentre(int column) {
    return kGridLeft + kColumnWidth * (column - kFirstDrawnColumn) + kColumnWidth / 2;
}

void DrawRules(CadSession& session, double gridTop, int bands) {
    for (int i = 0; i <= bands; ++i) {
        const double y = kGridBottom + kRowHeight * i;
        session.DrawLine(kGridLeft, y, kGridRight, y);
    }
    for (int i = 0; i < kVerticalRules; ++i) {
        const double x = kGridLeft + kColumnWidth * i;
        session.DrawLine(x, kGridBottom, x, gridTop);
    }
}

void DrawValues(CadSession& session, const TableCellSource& cells, int computedRows) {
    // The band of the next drawn row, counted from the bottom one (0).
    int band = computedRows - 1;
    for (int row = kFirstSectionRow; row <= kLastSectionRow; ++row) {
        if (!IsComputed(cells, row)) continue;
        const double y = kGridBottom + kRowHeight * band + kTextRaise;
        for (int column = kFirstDrawnColumn; column <= kLastDrawnColumn; ++column) {
            session.PlaceText(DrawnValue(cells(row, column), column), ColumnCentre(column), y,
                              kValueHeight);
        }
        --band;
    }
}

}  // namespace

DrawingOutcome DrawElementsTable(CadConnection& connection, Automation& automation,
                                 const TableCellSource& cells) {
    const int computedRows = CountComputedRows(cells);
    CadSession session(connection, automation);
    if (!session.OpenCadConnection()) return DrawingOutcome::Unreachable;

    // One band for the headings and one per computed row.
    const int bands = computedRows + 1;
    const double gridTop = kGridBottom + kRowHeight * bands;
    DrawRules(session, gridTop, bands);

    session.PrepareTextStyle();
    const double headingY = gridTop - kRowHeight + kTextRaise;
    for (int column = kFirstDrawnColumn; column <= kLastDrawnColumn; ++column) {
        session.PlaceText(cells(kHeadingRow, column).utf8Text, ColumnCentre(column) + kHeadingShift,
                          headingY, kHeadingHeight);
    }
    session.PlaceText(kTitle, kTitleX, gridTop + kTitleRaise, kTitleHeight);

    DrawValues(session, cells, computedRows);
    return session.AllCallsSucceeded() ? DrawingOutcome::Drawn : DrawingOutcome::Incomplete;
}

}  // namespace channel
