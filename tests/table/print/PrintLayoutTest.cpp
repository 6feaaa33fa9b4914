#include <gtest/gtest.h>

#include "table/print/PrintLayout.h"

namespace channel {

namespace {

TEST(PrintLayoutTest, TableIsFittedToThePageWidth) {
    // Narrow: the narrow columns are raised to one width, wide ones kept.
    PrintLayout layout = LayOutPrint({{10, 40, 20, 100}, {10}, 0, {400, 500}});
    EXPECT_EQ(layout.scale, 1);
    EXPECT_EQ(layout.columnWidths, (QList<qreal>{100, 100, 100, 100}));
    layout = LayOutPrint({{10, 40, 20, 250}, {10}, 0, {400, 500}});
    EXPECT_EQ(layout.columnWidths, (QList<qreal>{50, 50, 50, 250}));
    // Too wide: shrunk as a whole.
    layout = LayOutPrint({{300, 500, 200}, {10}, 0, {250, 500}});
    EXPECT_DOUBLE_EQ(layout.scale, 0.25);
    EXPECT_EQ(layout.columnWidths, (QList<qreal>{300, 500, 200}));
}

TEST(PrintLayoutTest, RowsThatDoNotFitGoOnFurtherPagesUnderTheHeading) {
    // Height 100: title 30 + heading 10 leave room for three rows of 20 on
    // the first page, the heading for four on the next; the too tall row 9
    // gets a page of its own.
    QList<qreal> heights(11, 20);
    heights[0] = 10;
    heights[9] = 500;
    const PrintLayout layout = LayOutPrint({{50}, heights, 30, {50, 100}});
    QList<std::tuple<int, int, bool>> pages;
    for (const PrintPage& page : layout.pages)
        pages.append({page.firstRow, page.lastRow, page.showsTitle});
    EXPECT_EQ(pages,
              (QList<std::tuple<int, int, bool>>{
                  {1, 3, true}, {4, 7, false}, {8, 8, false}, {9, 9, false}, {10, 10, false}}));
}

}  // namespace

}  // namespace channel
