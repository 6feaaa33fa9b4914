#include <gtest/gtest.h>

#include <QSignalSpy>

#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"

namespace channel {

using namespace elements_table;  // the columns and the shape

namespace {

constexpr int kQ = kDischargeColumn;  // the column the elements table keeps

class KeptEntriesTest : public testing::Test {
  protected:
    KeptEntriesTest() { table_.KeepEntriesOf(kQ); }
    // Results as a calculation writes them: numbers, never entries.
    void WriteResult(int row, float discharge) { table_.SetCellText(row, kQ, discharge); }
    QStringList Kept() const {
        QStringList kept;
        for (int row = 0; row < table_.RowCount(); ++row) kept << table_.KeptEntry(row);
        return kept;
    }
    ElementsTable table_{kRows, kColumns, kFixedRows, kFixedColumns};
};

TEST_F(KeptEntriesTest, EntriesSetItAndResultsLeaveIt) {
    struct Step {
        const char* what;
        std::function<void(ElementsTable&)> act;
        const char* cell;
        const char* kept;
    };
    const std::vector<Step> steps = {
        {"typed in the view",
         [](ElementsTable& t) { t.setData(t.index(3, kQ), "2", Qt::EditRole); }, "2", "2"},
        {"a calculation's result", [](ElementsTable& t) { t.SetCellText(3, kQ, 2.027672f); },
         "2.027672", "2"},
        // An editor opened on the result and closed again commits the same text.
        {"the result committed unchanged",
         [](ElementsTable& t) { t.setData(t.index(3, kQ), "2.027672", Qt::EditRole); }, "2.027672",
         "2"},
        {"another entry", [](ElementsTable& t) { t.SetCellText(3, kQ, "2.5"); }, "2.5", "2.5"},
        {"an entry with blanks, kept as typed",
         [](ElementsTable& t) { t.SetCellText(3, kQ, " 3 "); }, " 3 ", " 3 "},
        {"the cell emptied in the editor",
         [](ElementsTable& t) { t.setData(t.index(3, kQ), "", Qt::EditRole); }, "", ""},
        {"a result into an empty row", [](ElementsTable& t) { t.SetCellText(3, kQ, 1.5f); }, "1.5",
         ""},
    };
    for (const Step& step : steps) {
        step.act(table_);
        EXPECT_EQ(table_.GetCellText(3, kQ), step.cell) << step.what;
        EXPECT_EQ(table_.KeptEntry(3), step.kept) << step.what;
    }
    EXPECT_EQ(table_.KeptEntry(4), "") << "other rows untouched";
}

TEST_F(KeptEntriesTest, OnlyTheKeptColumnOfDataRowsHoldsOne) {
    table_.SetCellText(kHeadingRow, kQ, "流量");
    table_.SetCellText(3, kQ - 1, "36.7");
    table_.SetCellText(3, kQ + 1, "0.63");
    EXPECT_EQ(Kept(), QStringList(kRows));
    table_.SetCellText(2, kQ, "2");
    table_.KeepEntriesOf(kQ + 1);  // its texts count as entered, the old entries go
    EXPECT_EQ(Kept().mid(2, 2), (QStringList{"", "0.63"}));
    EXPECT_EQ(table_.KeptEntry(-1), "");
    EXPECT_EQ(table_.KeptEntry(kRows), "");
}

TEST_F(KeptEntriesTest, ClearingTheCellClearsIt) {
    for (int row : {2, 3, 4}) table_.SetCellText(row, kQ, "2");
    WriteResult(3, 2.03f);
    // A rectangle that holds the discharge cell of rows 3 and 4 only.
    table_.ClearCells(3, kChezyCoefficientColumn, 4, kVelocityColumn);
    EXPECT_EQ(table_.KeptEntry(2), "2");
    EXPECT_EQ(table_.KeptEntry(3), "");
    EXPECT_EQ(table_.KeptEntry(4), "");
    // A rectangle beside the column leaves it.
    table_.ClearCells(2, kBottomWidthColumn, 2, kChezyCoefficientColumn);
    EXPECT_EQ(table_.KeptEntry(2), "2");
}

TEST_F(KeptEntriesTest, LoadingTakesTheFilesEntriesOrElseTheCells) {
    QStringList cells(qsizetype{kRows} * kColumns);
    cells[2 * kColumns + kQ] = "2.027672";
    cells[3 * kColumns + kQ] = "7";
    cells[kHeadingRow * kColumns + kQ] = "流量";
    table_.SetCellText(5, kQ, "9");

    // A file that keeps no entries: each cell of the column counts as entered.
    table_.ReplaceContents(kRows, kColumns, cells);
    QStringList expected(kRows);
    expected[2] = "2.027672";
    expected[3] = "7";
    EXPECT_EQ(Kept(), expected);

    // A file that keeps them; an entry beside an empty cell is dropped, and
    // the heading row never holds one.
    QStringList kept(kRows);
    kept[kHeadingRow] = "x";
    kept[2] = "2";
    kept[4] = "5";
    table_.ReplaceContents(kRows, kColumns, cells, kept);
    expected = QStringList(kRows);
    expected[2] = "2";
    EXPECT_EQ(Kept(), expected);
}

TEST_F(KeptEntriesTest, FilesKeepThemOnlyWhenTheCellsDoNotTellThem) {
    table_.SetCellText(2, kQ, "2");
    table_.SetCellText(5, kQ, "");
    EXPECT_EQ(table_.KeptEntriesForFile(), QStringList()) << "each cell says it all";

    QStringList expected(kRows);
    expected[2] = "2";
    WriteResult(2, 2.027672f);
    EXPECT_EQ(table_.KeptEntriesForFile(), expected) << "a result over an entry";

    // A result with no entry at all would load as an entry equal to it.
    table_.SetCellText(2, kQ, "3");
    WriteResult(4, 1.5f);
    expected[2] = "3";
    EXPECT_EQ(table_.KeptEntriesForFile(), expected);
}

// The kept entry follows the cell without a signal of its own: every change of
// it comes with the cell's dataChanged or the model's reset.
TEST_F(KeptEntriesTest, ChangesComeWithTheCellsSignals) {
    QSignalSpy changed(&table_, &ElementsTable::dataChanged);
    QSignalSpy reset(&table_, &ElementsTable::modelReset);
    table_.SetCellText(3, kQ, "2");
    EXPECT_EQ(changed.count(), 1);
    table_.ClearCells(3, kQ, 3, kQ);
    EXPECT_EQ(changed.count(), 2);
    table_.ReplaceContents(kRows, kColumns, QStringList(qsizetype{kRows} * kColumns));
    EXPECT_EQ(changed.count() + reset.count(), 3) << "a replaced table is announced";
}

}  // namespace

}  // namespace channel
