#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <bit>
#include <charconv>
#include <cmath>
#include <random>

#include "support/AppTable.h"
#include "support/MemoryClipboard.h"
#include "table/clipboard/TableClipboard.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

TEST(TableClipboardTest, CopyPutsTheSelectionsShownTextsOnTheClipboard) {
    AppTable table;
    MemoryClipboard clipboard;
    clipboard.text = "untouched";
    Copy(table, clipboard);  // no selection, no current cell
    EXPECT_EQ(clipboard.text, "untouched");

    table.SetCellText(2, kBottomWidthColumn, "3.5");
    table.SetCellText(2, kSideSlopeColumn, 1.1234560F);  // a result, shown as 1.12
    table.SetCellText(3, kSideSlopeColumn, "a\tb");
    table.SetSelection(3, kSideSlopeColumn, 2, kBottomWidthColumn);  // corners in reverse
    Copy(table, clipboard);
    EXPECT_EQ(clipboard.text, "3.50\t1.12\n\t\"a\tb\"\n");

    table.SetSelection(9, kVelocityColumn, 14, kVelocityColumn + 9);  // mostly outside the table
    Copy(table, clipboard);
    EXPECT_EQ(clipboard.text, "\n\n");

    table.ClearSelection();
    table.SetCurrentCell(2, kBottomWidthColumn);
    Copy(table, clipboard);
    EXPECT_EQ(clipboard.text, "3.50\n");
}

// The texts of the HTML cells of a copy, in order.
QStringList HtmlCells(const QString& html) {
    QStringList cells;
    static const QRegularExpression kCell(QStringLiteral("<td>(.*?)</td>"));
    for (const auto& cell : kCell.globalMatch(html)) cells << cell.captured(1);
    return cells;
}

TEST(TableClipboardTest, TheHtmlTableCarriesNumbersAsTheirValuesAndTextsEscaped) {
    AppTable table;
    MemoryClipboard clipboard;
    const char* typed[] = {"1,250.50", "0.0", "1/2000", "0.05%", "1,250", "<a&b>\n", "1e300"};
    int column = kBottomWidthColumn;
    for (const char* text : typed) table.SetCellText(1, column++, text);
    table.SetSelection(1, kBottomWidthColumn, 1, column - 1);
    Copy(table, clipboard);
    EXPECT_EQ(HtmlCells(clipboard.html), QStringList({"1250.5", "0", "0.0005", "0.0005", "1,250",
                                                      "&lt;a&amp;b&gt;<br>", "1e300"}));
}

TEST(TableClipboardTest, HtmlNumbersReadBackToTheSameFloat) {
    std::mt19937 random(20261209);
    AppTable table;
    MemoryClipboard clipboard;
    table.SetCurrentCell(1, kAreaColumn);
    for (int i = 0; i < 20000; ++i) {
        const auto value = std::bit_cast<float>(static_cast<uint32_t>(random()));
        if (!std::isfinite(value)) continue;
        table.SetCellText(1, kAreaColumn, value);
        Copy(table, clipboard);
        const std::string text = HtmlCells(clipboard.html).value(0).toStdString();
        float read = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
        ASSERT_TRUE(error == std::errc{} && end == text.data() + text.size()) << text;
        ASSERT_EQ(std::bit_cast<uint32_t>(read), std::bit_cast<uint32_t>(value)) << text;
    }
}

TEST(TableClipboardTest, PasteFillsFromTheSelectionsTopLeftAndCountsChangedCells) {
    AppTable table;
    MemoryClipboard clipboard;
    EXPECT_EQ(Paste(table, clipboard), 0);  // nowhere to paste

    table.SetCellText(3, kRoughnessColumn, "0.014");
    table.SetSelection(2, kDepthColumn, 5, kAreaColumn);
    clipboard.text = "1.5\t\"a\"\"b\"\r\n\"x\ny\"\t0.014\r\n";
    EXPECT_EQ(Paste(table, clipboard), 3);  // row 3's roughness already held 0.014
    EXPECT_EQ(table.Row(2, kSideSlopeColumn, kBedSlopeColumn),
              QStringList({"", "1.5", "a\"b", ""}));
    EXPECT_EQ(table.Row(3, kSideSlopeColumn, kBedSlopeColumn),
              QStringList({"", "x\ny", "0.014", ""}));
    // not filled to the selection's size
    EXPECT_EQ(table.Row(4, kDepthColumn, kDepthColumn), QStringList({""}));
    EXPECT_EQ(Paste(table, clipboard), 0);

    clipboard.text = "\t\n";  // a spreadsheet's empty cells empty the cells
    EXPECT_EQ(Paste(table, clipboard), 2);
    EXPECT_EQ(table.Row(2, kDepthColumn, kRoughnessColumn), QStringList({"", ""}));
}

TEST(TableClipboardTest, PasteIsCutOffAtTheEdgesAndSparesHeadingsAndItems) {
    AppTable table;
    MemoryClipboard clipboard;
    clipboard.text = "a\tb\tc\nd\te\tf\n";
    table.SetCurrentCell(kLastSectionRow, kDischargeColumn);
    EXPECT_EQ(Paste(table, clipboard), 2);
    EXPECT_EQ(table.Row(kLastSectionRow, kChezyCoefficientColumn, kVelocityColumn),
              QStringList({"", "a", "b"}));

    table.SetSelection(kHeadingRow, kItemColumn, 1, kBottomWidthColumn);
    clipboard.text = "h0\th1\nr1\tv\n";
    EXPECT_EQ(Paste(table, clipboard), 1);
    EXPECT_EQ(table.Row(kHeadingRow, kItemColumn, kVelocityColumn),
              AppTable().Row(kHeadingRow, kItemColumn, kVelocityColumn));
    EXPECT_EQ(table.Row(1, kItemColumn, kBottomWidthColumn), QStringList({"1", "v"}));
}

TEST(SystemClipboardTest, CopyAndPasteGoThroughTheDesktopClipboard) {
    AppTable source;
    AppTable target;
    source.SetCellText(1, kBottomWidthColumn, "2.5");
    source.SetCellText(2, kBottomWidthColumn, "多行\n文本");
    source.SetCellText(2, kSideSlopeColumn, "0.3333333");
    source.SetSelection(1, kBottomWidthColumn, 2, kSideSlopeColumn);
    SystemClipboard clipboard;
    Copy(source, clipboard);
    target.SetCurrentCell(5, kAreaColumn);
    EXPECT_EQ(Paste(target, clipboard), 3);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasHtml());
    EXPECT_EQ(target.Row(5, kAreaColumn, kWettedPerimeterColumn), QStringList({"2.50", ""}));
    EXPECT_EQ(target.Row(6, kAreaColumn, kWettedPerimeterColumn),
              QStringList({"多行\n文本", "0.33"}));
}

}  // namespace

}  // namespace channel
