#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <bit>
#include <charconv>
#include <cstdint>

#include "table/CellText.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"

namespace channel {

using namespace elements_table;  // the columns and the shape

namespace {

// The main window's formats: every value column numeric, two places but for
// the roughness and the slope.
void Format(ElementsTable& table) {
    for (int c = kFirstValueColumn; c <= kLastValueColumn; ++c)
        table.SetColumnType(c, ElementsTable::kNumericKind);
    for (int c :
         {kBottomWidthColumn, kSideSlopeColumn, kDepthColumn, kAreaColumn, kWettedPerimeterColumn,
          kHydraulicRadiusColumn, kChezyCoefficientColumn, kDischargeColumn, kVelocityColumn})
        table.SetColumnDecimals(c, 2);
}

TEST(CellTextTest, FloatsAreStoredAsTheirShortestExactText) {
    const float values[] = {3.5f,  5.605551f, 0.6243811f, 36.98012f, 2.286895f, 0.9399994f,
                            0.01f, 1e-7f,     262144.0f,  -0.5f,     1e20f,     0.0f};
    for (float value : values) {
        const QString text = cell_text::FromFloat(value);
        float back = 0;
        const QByteArray bytes = text.toLatin1();
        std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), back);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(back), std::bit_cast<std::uint32_t>(value))
            << text.toStdString();
    }
    EXPECT_EQ(cell_text::FromFloat(3.5f), "3.5");
    EXPECT_EQ(cell_text::FromFloat(5.605551f), "5.605551");
}

TEST(CellTextTest, NumericColumnsRoundWhatReadsAsANumber) {
    struct Case {
        const char* text;
        int decimals;
        const char* shown;
    };
    const Case cases[] = {
        {"3.5", 2, "3.50"},
        {"0.6243811", 2, "0.62"},
        {"1e3", 2, "1000.00"},
        {" 2 ", 2, "2.00"},
        {"+1.005", 3, "1.005"},
        {"-0.001", 2, "0.00"},
        {"abc", 2, "abc"},
        {" ", 2, " "},
        {"", 2, ""},
        {"1.5m", 2, "1.5m"},
        {"２", 2, "2.00"},
        {"0.025", -1, "0.025"},
        {"nan", 2, "无效值"},
        {"inf", 2, "∞(无效)"},
        {"-inf", -1, "-∞(无效)"},
        // the forms the calculation reads, and only those
        {"1/2", 2, "0.50"},
        {"2,5", 2, "2.50"},
        {"\u2000 2\u2028", 2, "2.00"},
        {"1/2000", -1, "1/2000"},
        {"+-5", 2, "+-5"},
        {"1,000", 2, "1,000"},
        {"1/0", 2, "1/0"},
        // the single-precision value the calculation uses, not the typed double
        {"0.615", 2, "0.62"},
        {"16777217", 0, "16777216"},
        {"1e39", 2, "1e39"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cell_text::Rounded(QString::fromUtf8(c.text), c.decimals),
                  QString::fromUtf8(c.shown))
            << c.text;
}

TEST(ElementsTableTest, DisplayFollowsColumnFormats) {
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    Format(table);
    table.SetCellText(1, kItemColumn, "1  >>>");
    table.SetCellText(1, kBottomWidthColumn, 3.5f);
    table.SetCellText(1, kRoughnessColumn, 0.025f);
    table.SetCellText(1, kBedSlopeColumn, "0.0005");
    table.SetCellText(1, kVelocityColumn, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(table.DisplayText(1, kItemColumn), "1  >>>");
    EXPECT_EQ(table.GetCellText(1, kBottomWidthColumn), "3.5");
    EXPECT_EQ(table.DisplayText(1, kBottomWidthColumn), "3.50");
    EXPECT_EQ(table.DisplayText(1, kRoughnessColumn), "0.025");
    EXPECT_EQ(table.DisplayText(1, kBedSlopeColumn), "0.0005");
    EXPECT_EQ(table.GetCellText(1, kVelocityColumn), "nan");
    EXPECT_EQ(table.DisplayText(1, kVelocityColumn), "无效值");
}

// The view gets a bounded beginning of a long text (never half a surrogate
// pair); the cell, and so files and copies, keep the whole text.
TEST(ElementsTableTest, TheViewShowsABoundedBeginningOfALongText) {
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    Format(table);
    const qsizetype shown = ElementsTable::kMaxShownCharacters;
    for (const auto& [text, view] :
         {std::pair{QString(shown, u'长'), QString(shown, u'长')},
          {QString(1'000'000, u'长'), QString(shown, u'长') + u'…'},
          {QString(shown - 1, u'a') + QStringLiteral("😀"), QString(shown - 1, u'a') + u'…'},
          {QStringLiteral("3.5"), QStringLiteral("3.50")}}) {
        table.SetCellText(2, kBottomWidthColumn, text);
        EXPECT_EQ(table.data(table.index(2, kBottomWidthColumn), Qt::DisplayRole), view);
        EXPECT_EQ(table.GetCellText(2, kBottomWidthColumn), text);
    }
}

TEST(ElementsTableTest, CurrentCellNotifiesOnlyOnRealMoves) {
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    Format(table);
    QSignalSpy moved(&table, &ElementsTable::currentCellMoved);
    EXPECT_EQ(table.CurrentRow(), -1);
    table.SetCurrentCell(3, kBottomWidthColumn);
    table.SetCurrentCell(3, kBottomWidthColumn);          // already current: settles
    table.SetCurrentCell(kHeadingRow, kRoughnessColumn);  // heading row is fixed
    table.SetCurrentCell(4, kItemColumn);                 // item column is fixed
    table.SetCurrentCell(kRows, kBottomWidthColumn);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(table.CurrentRow(), 3);
    EXPECT_EQ(table.CurrentColumn(), kBottomWidthColumn);
}

TEST(ElementsTableTest, SelectionDefaultsToTheCurrentCell) {
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    Format(table);
    table.SetCurrentCell(4, kSideSlopeColumn);
    EXPECT_EQ(table.SelectionFirstRow(), 4);
    EXPECT_EQ(table.SelectionFirstColumn(), kSideSlopeColumn);
    EXPECT_EQ(table.SelectionLastRow(), 4);
    EXPECT_EQ(table.SelectionLastColumn(), kSideSlopeColumn);
    table.SetSelection(4, kDepthColumn, 2, kBottomWidthColumn);
    EXPECT_EQ(table.SelectionFirstRow(), 2);
    EXPECT_EQ(table.SelectionFirstColumn(), kBottomWidthColumn);
    EXPECT_EQ(table.SelectionLastRow(), 4);
    EXPECT_EQ(table.SelectionLastColumn(), kDepthColumn);
}

TEST(ElementsTableTest, ClearCellsEmptiesTheRectangleOnly) {
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    Format(table);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            table.SetCellText(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
    EXPECT_EQ(table.ClearCells(2, kBottomWidthColumn, 4, kDepthColumn), 9);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            const bool inside = r >= 2 && r <= 4 && c >= kBottomWidthColumn && c <= kDepthColumn;
            EXPECT_EQ(table.GetCellText(r, c).isEmpty(), inside) << r << "," << c;
        }
    EXPECT_EQ(table.ClearCells(2, kBottomWidthColumn, 4, kDepthColumn), 0)
        << "nothing left to change";
    EXPECT_EQ(table.ClearCells(9, kDischargeColumn, 40, 40), 4) << "cut off at the table's edge";
    EXPECT_EQ(table.ClearCells(-1, -1, -1, -1), 0);
}

TEST(ElementsTableTest, ReplaceContentsRefusesAMismatchedCellCount) {
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    Format(table);
    table.SetCellText(1, kBottomWidthColumn, "keep");
    table.ReplaceContents(kRows, kColumns, QStringList(10, "x"));
    EXPECT_EQ(table.GetCellText(1, kBottomWidthColumn), "keep");
    QStringList cells(qsizetype{kRows} * kColumns);
    cells[1 * kColumns + kBottomWidthColumn] = "new";
    table.ReplaceContents(kRows, kColumns, cells);
    EXPECT_EQ(table.GetCellText(1, kBottomWidthColumn), "new");
    EXPECT_EQ(table.DisplayText(1, kSideSlopeColumn), "") << "formats survive a load";
    EXPECT_EQ(table.ColumnDecimals(kBottomWidthColumn), 2);
}

TEST(ElementsTableTest, FixedCellsAreNotEditableThroughTheView) {
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    Format(table);
    EXPECT_FALSE(table.setData(table.index(kHeadingRow, kDepthColumn), "x", Qt::EditRole));
    EXPECT_FALSE(table.setData(table.index(3, kItemColumn), "x", Qt::EditRole));
    EXPECT_TRUE(table.setData(table.index(3, kDepthColumn), "1.25", Qt::EditRole));
    EXPECT_EQ(table.data(table.index(3, kDepthColumn), Qt::DisplayRole).toString(), "1.25");
    EXPECT_FALSE(table.flags(table.index(kHeadingRow, kDepthColumn)) & Qt::ItemIsEditable);
    EXPECT_TRUE(table.flags(table.index(3, kDepthColumn)) & Qt::ItemIsEditable);
}

TEST(ElementsTableTest, PassesQtModelConsistencyChecks) {
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    Format(table);
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Fatal);
    table.SetCellText(1, kBottomWidthColumn, 2.0f);
    table.ClearCells(kFirstSectionRow, kFirstValueColumn, kLastSectionRow, kLastValueColumn);
    table.SetColumnDecimals(kDepthColumn, 1);
    table.ReplaceContents(kRows, kColumns, QStringList(qsizetype{kRows} * kColumns, "1"));
    table.ReplaceContents(3, 4, QStringList(12, "2"));
    EXPECT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.columnCount(), 4);
}

TEST(ElementsTableSnapshotTest, RestoringPutsBackEveryCellButNotFormatsOrTheCurrentCell) {
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    Format(table);
    table.SetCellText(2, kBottomWidthColumn, "2");
    table.SetCellText(2, kItemColumn, "2  >>>");
    const ElementsTable::Snapshot before = table.TakeSnapshot();

    table.SetCellText(2, kBottomWidthColumn, "7");
    table.SetCellText(10, kVelocityColumn, 1.25f);
    table.SetCurrentCell(4, kRoughnessColumn);
    table.SetSelection(3, kDepthColumn, 5, kBedSlopeColumn);
    QSignalSpy changed(&table, &QAbstractItemModel::dataChanged);
    table.RestoreSnapshot(before);

    EXPECT_EQ(table.TakeSnapshot(), before);
    EXPECT_EQ(table.GetCellText(2, kBottomWidthColumn), "2");
    EXPECT_EQ(table.GetCellText(10, kVelocityColumn), "");
    EXPECT_EQ(table.DisplayText(2, kBottomWidthColumn), "2.00") << "formats stay";
    EXPECT_EQ(table.CurrentRow(), 4);
    EXPECT_EQ(table.SelectionLastColumn(), kBedSlopeColumn);
    EXPECT_EQ(changed.size(), 1) << "one notification covers the table";

    table.RestoreSnapshot(before);
    EXPECT_EQ(changed.size(), 1) << "an equal snapshot changes nothing";
}

TEST(ElementsTableSnapshotTest, ASnapshotOfAnotherShapeReplacesTheShape) {
    ElementsTable small(2, 3, 1, 1);
    small.SetCellText(1, 2, "x");
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    QSignalSpy reset(&table, &QAbstractItemModel::modelReset);
    table.RestoreSnapshot(small.TakeSnapshot());
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.ColumnCount(), 3);
    EXPECT_EQ(table.GetCellText(1, 2), "x");
}

}  // namespace

}  // namespace channel
