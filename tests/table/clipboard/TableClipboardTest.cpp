#include "table/clipboard/TableClipboard.h"

#include <gtest/gtest.h>

#include <memory>

#include "QStringPrinting.h"

namespace {

const QStringList kHeadings = {"项目", "底宽", "边坡", "水深", "糙率", "纵坡1\\I",
                               "面积", "湿周", "水力半径", "谢才系数", "流量", "流速"};

// The table as the main window sets it up.
std::unique_ptr<ElementsTable> MakeElementsTable() {
    auto table = std::make_unique<ElementsTable>(11, 12, 1, 1);
    for (int c = 0; c < 12; ++c) table->SetCellText(0, c, kHeadings[c]);
    for (int r = 1; r <= 10; ++r) table->SetCellText(r, 0, r);
    for (int k = 1; k <= 11; ++k) table->SetColumnType(k, ElementsTable::kNumericKind);
    for (int k : {1, 2, 3, 6, 7, 8, 9, 10, 11}) table->SetColumnDecimals(k, 2);
    return table;
}

class FakeClipboard : public Clipboard {
public:
    QString Text() const override { return text; }
    void SetText(const QString& newText) override { text = newText; }
    QString text = "untouched";
};

class TableClipboardTest : public testing::Test {
protected:
    std::unique_ptr<ElementsTable> table = MakeElementsTable();
    FakeClipboard clipboard;
};

TEST_F(TableClipboardTest, CopyPutsTheSelectedStoredTextsOnTheClipboard) {
    table->SetCellText(2, 1, "3.5");
    table->SetCellText(2, 2, "1.123456");  // the view shows 1.12
    table->SetCellText(3, 2, "a\tb");
    table->SetSelection(3, 2, 2, 1);  // corners given in reverse
    Copy(*table, clipboard);
    EXPECT_EQ(clipboard.text, "3.5\t1.123456\n\t\"a\tb\"\n");
}

TEST_F(TableClipboardTest, CopyWithoutRangeTakesTheCurrentCell) {
    table->SetCellText(4, 5, "3000");
    table->SetCurrentCell(4, 5);
    Copy(*table, clipboard);
    EXPECT_EQ(clipboard.text, "3000\n");
}

TEST_F(TableClipboardTest, CopyKeepsOnlyThePartOfTheSelectionInsideTheTable) {
    table->SetCellText(10, 11, "v");
    table->SetSelection(10, 11, 14, 20);
    Copy(*table, clipboard);
    EXPECT_EQ(clipboard.text, "v\n");
}

TEST_F(TableClipboardTest, CopyWithNothingSelectedLeavesTheClipboardAlone) {
    Copy(*table, clipboard);
    EXPECT_EQ(clipboard.text, "untouched");
}

TEST_F(TableClipboardTest, PastePlacesSpreadsheetCellsFromTheSelectionsTopLeft) {
    table->SetSelection(2, 3, 5, 6);
    clipboard.text = "1.5\t\"a\"\"b\"\r\n\"x\ny\"\t0.014\r\n";
    EXPECT_EQ(Paste(*table, clipboard), 4);
    EXPECT_EQ(table->GetCellText(2, 3), "1.5");
    EXPECT_EQ(table->GetCellText(2, 4), "a\"b");
    EXPECT_EQ(table->GetCellText(3, 3), "x\ny");
    EXPECT_EQ(table->GetCellText(3, 4), "0.014");
    EXPECT_EQ(table->GetCellText(4, 3), "");  // the selection's size does not matter
}

TEST_F(TableClipboardTest, PasteIsCutOffAtTheTablesEdges) {
    table->SetCurrentCell(10, 10);
    clipboard.text = "a\tb\tc\nd\te\tf\n";
    EXPECT_EQ(Paste(*table, clipboard), 2);
    EXPECT_EQ(table->GetCellText(10, 10), "a");
    EXPECT_EQ(table->GetCellText(10, 11), "b");
}

TEST_F(TableClipboardTest, PasteNeverWritesTheHeadingRowOrTheItemColumn) {
    table->SetSelection(0, 0, 1, 1);
    clipboard.text = "h0\th1\nr1\tv\n";
    EXPECT_EQ(Paste(*table, clipboard), 1);
    EXPECT_EQ(table->GetCellText(1, 1), "v");
    EXPECT_EQ(table->GetCellText(0, 0), "项目");
    EXPECT_EQ(table->GetCellText(0, 1), "底宽");
    EXPECT_EQ(table->GetCellText(1, 0), "1");
}

TEST_F(TableClipboardTest, PasteCountsOnlyCellsWhoseTextChanged) {
    table->SetCellText(1, 2, "old");
    table->SetCellText(1, 3, "same");
    table->SetCurrentCell(1, 2);
    clipboard.text = "\tsame\tnew\n";  // empties (1,2), keeps (1,3)
    EXPECT_EQ(Paste(*table, clipboard), 2);
    EXPECT_EQ(table->GetCellText(1, 2), "");
    EXPECT_EQ(table->GetCellText(1, 4), "new");
    EXPECT_EQ(Paste(*table, clipboard), 0);
}

TEST_F(TableClipboardTest, PasteWithNoTargetOrNoTextChangesNothing) {
    clipboard.text = "5";
    EXPECT_EQ(Paste(*table, clipboard), 0);  // no current cell, no selection
    table->SetCurrentCell(1, 1);
    clipboard.text = "";
    EXPECT_EQ(Paste(*table, clipboard), 0);
    EXPECT_EQ(table->GetCellText(1, 1), "");
}

TEST(SystemClipboardTest, CopyAndPasteGoThroughTheDesktopClipboard) {
    auto source = MakeElementsTable();
    source->SetCellText(1, 1, "2.5");
    source->SetCellText(1, 2, "1.5");
    source->SetCellText(2, 1, "多行\n文本");
    source->SetCellText(2, 2, "0.3333333");
    source->SetSelection(1, 1, 2, 2);
    SystemClipboard clipboard;
    Copy(*source, clipboard);

    auto target = MakeElementsTable();
    target->SetCurrentCell(5, 6);
    EXPECT_EQ(Paste(*target, clipboard), 4);
    EXPECT_EQ(target->GetCellText(5, 6), "2.5");
    EXPECT_EQ(target->GetCellText(5, 7), "1.5");
    EXPECT_EQ(target->GetCellText(6, 6), "多行\n文本");
    EXPECT_EQ(target->GetCellText(6, 7), "0.3333333");
}

}  // namespace
