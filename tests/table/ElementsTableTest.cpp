#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <charconv>
#include <cstring>

#include "table/CellText.h"
#include "table/ElementsTable.h"

namespace channel {

namespace {

void Format(ElementsTable& table) {
    for (int k = 1; k <= 11; ++k) table.SetColumnType(k, ElementsTable::kNumericKind);
    for (int k : {1, 2, 3, 6, 7, 8, 9, 10, 11}) table.SetColumnDecimals(k, 2);
}

TEST(CellTextTest, FloatsAreStoredAsTheirShortestExactText) {
    const float values[] = {3.5f,  5.605551f, 0.6243811f, 36.98012f, 2.286895f, 0.9399994f,
                            0.01f, 1e-7f,     262144.0f,  -0.5f,     1e20f,     0.0f};
    for (float value : values) {
        const QString text = cell_text::FromFloat(value);
        float back = 0;
        const QByteArray bytes = text.toLatin1();
        std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), back);
        EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0) << text.toStdString();
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
    ElementsTable table(11, 12, 1, 1);
    Format(table);
    table.SetCellText(1, 0, "1  >>>");
    table.SetCellText(1, 1, 3.5f);
    table.SetCellText(1, 4, 0.025f);
    table.SetCellText(1, 5, "0.0005");
    table.SetCellText(1, 11, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(table.DisplayText(1, 0), "1  >>>");
    EXPECT_EQ(table.GetCellText(1, 1), "3.5");
    EXPECT_EQ(table.DisplayText(1, 1), "3.50");
    EXPECT_EQ(table.DisplayText(1, 4), "0.025");
    EXPECT_EQ(table.DisplayText(1, 5), "0.0005");
    EXPECT_EQ(table.GetCellText(1, 11), "nan");
    EXPECT_EQ(table.DisplayText(1, 11), "无效值");
}

TEST(ElementsTableTest, CurrentCellNotifiesOnlyOnRealMoves) {
    ElementsTable table(11, 12, 1, 1);
    Format(table);
    QSignalSpy moved(&table, &ElementsTable::currentCellMoved);
    EXPECT_EQ(table.CurrentRow(), -1);
    table.SetCurrentCell(3, 1);
    table.SetCurrentCell(3, 1);  // already current: settles
    table.SetCurrentCell(0, 4);  // heading row is fixed
    table.SetCurrentCell(4, 0);  // item column is fixed
    table.SetCurrentCell(11, 1);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(table.CurrentRow(), 3);
    EXPECT_EQ(table.CurrentColumn(), 1);
}

TEST(ElementsTableTest, SelectionDefaultsToTheCurrentCell) {
    ElementsTable table(11, 12, 1, 1);
    Format(table);
    table.SetCurrentCell(4, 2);
    EXPECT_EQ(table.SelectionFirstRow(), 4);
    EXPECT_EQ(table.SelectionFirstColumn(), 2);
    EXPECT_EQ(table.SelectionLastRow(), 4);
    EXPECT_EQ(table.SelectionLastColumn(), 2);
    table.SetSelection(4, 3, 2, 1);
    EXPECT_EQ(table.SelectionFirstRow(), 2);
    EXPECT_EQ(table.SelectionFirstColumn(), 1);
    EXPECT_EQ(table.SelectionLastRow(), 4);
    EXPECT_EQ(table.SelectionLastColumn(), 3);
}

TEST(ElementsTableTest, ClearCellsEmptiesTheRectangleOnly) {
    ElementsTable table(11, 12, 1, 1);
    Format(table);
    for (int r = 0; r < 11; ++r)
        for (int c = 0; c < 12; ++c) table.SetCellText(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
    EXPECT_EQ(table.ClearCells(2, 1, 4, 3), 9);
    for (int r = 0; r < 11; ++r)
        for (int c = 0; c < 12; ++c) {
            const bool inside = r >= 2 && r <= 4 && c >= 1 && c <= 3;
            EXPECT_EQ(table.GetCellText(r, c).isEmpty(), inside) << r << "," << c;
        }
    EXPECT_EQ(table.ClearCells(2, 1, 4, 3), 0) << "nothing left to change";
    EXPECT_EQ(table.ClearCells(9, 10, 40, 40), 4) << "cut off at the table's edge";
    EXPECT_EQ(table.ClearCells(-1, -1, -1, -1), 0);
}

TEST(ElementsTableTest, ReplaceContentsRefusesAMismatchedCellCount) {
    ElementsTable table(11, 12, 1, 1);
    Format(table);
    table.SetCellText(1, 1, "keep");
    table.ReplaceContents(11, 12, QStringList(10, "x"));
    EXPECT_EQ(table.GetCellText(1, 1), "keep");
    QStringList cells(11 * 12);
    cells[13] = "new";
    table.ReplaceContents(11, 12, cells);
    EXPECT_EQ(table.GetCellText(1, 1), "new");
    EXPECT_EQ(table.DisplayText(1, 2), "") << "formats survive a load";
    EXPECT_EQ(table.ColumnDecimals(1), 2);
}

TEST(ElementsTableTest, FixedCellsAreNotEditableThroughTheView) {
    ElementsTable table(11, 12, 1, 1);
    Format(table);
    EXPECT_FALSE(table.setData(table.index(0, 3), "x", Qt::EditRole));
    EXPECT_FALSE(table.setData(table.index(3, 0), "x", Qt::EditRole));
    EXPECT_TRUE(table.setData(table.index(3, 3), "1.25", Qt::EditRole));
    EXPECT_EQ(table.data(table.index(3, 3), Qt::DisplayRole).toString(), "1.25");
    EXPECT_FALSE(table.flags(table.index(0, 3)) & Qt::ItemIsEditable);
    EXPECT_TRUE(table.flags(table.index(3, 3)) & Qt::ItemIsEditable);
}

TEST(ElementsTableTest, PassesQtModelConsistencyChecks) {
    ElementsTable table(11, 12, 1, 1);
    Format(table);
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::Fatal);
    table.SetCellText(1, 1, 2.0f);
    table.ClearCells(1, 1, 10, 11);
    table.SetColumnDecimals(3, 1);
    table.ReplaceContents(11, 12, QStringList(132, "1"));
    table.ReplaceContents(3, 4, QStringList(12, "2"));
    EXPECT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.columnCount(), 4);
}

TEST(ElementsTableSnapshotTest, RestoringPutsBackEveryCellButNotFormatsOrTheCurrentCell) {
    ElementsTable table(11, 12, 1, 1);
    Format(table);
    table.SetCellText(2, 1, "2");
    table.SetCellText(2, 0, "2  >>>");
    const ElementsTable::Snapshot before = table.TakeSnapshot();

    table.SetCellText(2, 1, "7");
    table.SetCellText(10, 11, 1.25f);
    table.SetCurrentCell(4, 4);
    table.SetSelection(3, 3, 5, 5);
    QSignalSpy changed(&table, &QAbstractItemModel::dataChanged);
    table.RestoreSnapshot(before);

    EXPECT_EQ(table.TakeSnapshot(), before);
    EXPECT_EQ(table.GetCellText(2, 1), "2");
    EXPECT_EQ(table.GetCellText(10, 11), "");
    EXPECT_EQ(table.DisplayText(2, 1), "2.00") << "formats stay";
    EXPECT_EQ(table.CurrentRow(), 4);
    EXPECT_EQ(table.SelectionLastColumn(), 5);
    EXPECT_EQ(changed.size(), 1) << "one notification covers the table";

    table.RestoreSnapshot(before);
    EXPECT_EQ(changed.size(), 1) << "an equal snapshot changes nothing";
}

TEST(ElementsTableSnapshotTest, ASnapshotOfAnotherShapeReplacesTheShape) {
    ElementsTable small(2, 3, 1, 1);
    small.SetCellText(1, 2, "x");
    ElementsTable table(11, 12, 1, 1);
    QSignalSpy reset(&table, &QAbstractItemModel::modelReset);
    table.RestoreSnapshot(small.TakeSnapshot());
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.ColumnCount(), 3);
    EXPECT_EQ(table.GetCellText(1, 2), "x");
}

}  // namespace

}  // namespace channel
