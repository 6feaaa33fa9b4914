#include <gtest/gtest.h>

#include "support/MemoryClipboard.h"
#include "table/clipboard/TableClipboard.h"

namespace channel {

namespace {

const QStringList kHeadings = {"项目", "底宽", "边坡",     "水深",     "糙率", "纵坡1\\I",
                               "面积", "湿周", "水力半径", "谢才系数", "流量", "流速"};

// The table as the main window sets it up.
struct AppTable : ElementsTable {
    AppTable() : ElementsTable(11, 12, 1, 1) {
        for (int c = 0; c < 12; ++c) SetCellText(0, c, kHeadings[c]);
        for (int r = 1; r <= 10; ++r) SetCellText(r, 0, r);
        for (int k = 1; k <= 11; ++k) SetColumnType(k, kNumericKind);
        for (int k : {1, 2, 3, 6, 7, 8, 9, 10, 11}) SetColumnDecimals(k, 2);
    }
    QStringList Row(int r, int from, int to) const {
        QStringList texts;
        for (int c = from; c <= to; ++c) texts << GetCellText(r, c);
        return texts;
    }
};

TEST(TableClipboardTest, CopyPutsTheSelectionsStoredTextsOnTheClipboard) {
    AppTable table;
    MemoryClipboard clipboard;
    clipboard.text = "untouched";
    Copy(table, clipboard);  // no selection, no current cell
    EXPECT_EQ(clipboard.text, "untouched");

    table.SetCellText(2, 1, "3.5");
    table.SetCellText(2, 2, "1.123456");  // displayed as 1.12
    table.SetCellText(3, 2, "a\tb");
    table.SetSelection(3, 2, 2, 1);  // corners in reverse
    Copy(table, clipboard);
    EXPECT_EQ(clipboard.text, "3.5\t1.123456\n\t\"a\tb\"\n");

    table.SetSelection(9, 11, 14, 20);  // mostly outside the table
    Copy(table, clipboard);
    EXPECT_EQ(clipboard.text, "\n\n");

    table.ClearSelection();
    table.SetCurrentCell(2, 1);
    Copy(table, clipboard);
    EXPECT_EQ(clipboard.text, "3.5\n");
}

TEST(TableClipboardTest, PasteFillsFromTheSelectionsTopLeftAndCountsChangedCells) {
    AppTable table;
    MemoryClipboard clipboard;
    EXPECT_EQ(Paste(table, clipboard), 0);  // nowhere to paste

    table.SetCellText(3, 4, "0.014");
    table.SetSelection(2, 3, 5, 6);
    clipboard.text = "1.5\t\"a\"\"b\"\r\n\"x\ny\"\t0.014\r\n";
    EXPECT_EQ(Paste(table, clipboard), 3);  // (3,4) already held 0.014
    EXPECT_EQ(table.Row(2, 2, 5), QStringList({"", "1.5", "a\"b", ""}));
    EXPECT_EQ(table.Row(3, 2, 5), QStringList({"", "x\ny", "0.014", ""}));
    EXPECT_EQ(table.Row(4, 3, 3), QStringList({""}));  // not filled to the selection's size
    EXPECT_EQ(Paste(table, clipboard), 0);

    clipboard.text = "\t\n";  // a spreadsheet's empty cells empty the cells
    EXPECT_EQ(Paste(table, clipboard), 2);
    EXPECT_EQ(table.Row(2, 3, 4), QStringList({"", ""}));
}

TEST(TableClipboardTest, PasteIsCutOffAtTheEdgesAndSparesHeadingsAndItems) {
    AppTable table;
    MemoryClipboard clipboard;
    clipboard.text = "a\tb\tc\nd\te\tf\n";
    table.SetCurrentCell(10, 10);
    EXPECT_EQ(Paste(table, clipboard), 2);
    EXPECT_EQ(table.Row(10, 9, 11), QStringList({"", "a", "b"}));

    table.SetSelection(0, 0, 1, 1);
    clipboard.text = "h0\th1\nr1\tv\n";
    EXPECT_EQ(Paste(table, clipboard), 1);
    EXPECT_EQ(table.Row(0, 0, 11), kHeadings);
    EXPECT_EQ(table.Row(1, 0, 1), QStringList({"1", "v"}));
}

TEST(SystemClipboardTest, CopyAndPasteGoThroughTheDesktopClipboard) {
    AppTable source, target;
    source.SetCellText(1, 1, "2.5");
    source.SetCellText(2, 1, "多行\n文本");
    source.SetCellText(2, 2, "0.3333333");
    source.SetSelection(1, 1, 2, 2);
    SystemClipboard clipboard;
    Copy(source, clipboard);
    target.SetCurrentCell(5, 6);
    EXPECT_EQ(Paste(target, clipboard), 3);
    EXPECT_EQ(target.Row(5, 6, 7), QStringList({"2.5", ""}));
    EXPECT_EQ(target.Row(6, 6, 7), QStringList({"多行\n文本", "0.3333333"}));
}

}  // namespace

}  // namespace channel
