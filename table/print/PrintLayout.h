#pragma once

#include <QList>
#include <QSizeF>

namespace channel {

// Where the printed table goes, worked out from the sizes its contents need.
// Pure geometry, so the fitting and the page breaks can be checked without
// painting anything.

struct PrintLayoutInput {
    QList<qreal> naturalColumnWidths;  // what each column's widest text needs
    QList<qreal> naturalRowHeights;    // row 0 is the heading row
    qreal titleHeight = 0;             // the title and the gap below it
    QSizeF area;                       // the printable area of one page
};

// The rows one page shows below the repeated heading row.
struct PrintPage {
    int firstRow = 1;
    int lastRow = 0;  // lastRow < firstRow: only the heading row
    bool showsTitle = false;
};

struct PrintLayout {
    // Factor from layout units to the page: below 1 when the table is wider
    // than the page, 1 otherwise. All other lengths are in layout units.
    qreal scale = 1;
    QList<qreal> columnWidths;  // sum to the area's width / scale
    QList<PrintPage> pages;     // at least one
};

// The table is shrunk to the page width when it is too wide. When it is
// narrower it is widened to the page width by raising its narrowest columns
// to a common width, so it keeps the even grid of the screen table while
// wide columns stay as wide as they need. Rows that do not fit below the
// title go on further pages, each headed by row 0; every page takes at
// least one row.
PrintLayout LayOutPrint(const PrintLayoutInput& input);

}  // namespace channel
