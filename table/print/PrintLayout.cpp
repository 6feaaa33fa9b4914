#include "table/print/PrintLayout.h"

#include <algorithm>
#include <numeric>

namespace channel {

namespace {

// Widens the columns to `total` by lifting the narrowest ones to one common
// width w, chosen so that the sum of max(natural, w) is `total`.
QList<qreal> FillWidth(const QList<qreal>& natural, qreal total) {
    QList<qreal> sorted = natural;
    std::sort(sorted.begin(), sorted.end());
    qreal wideSum = std::accumulate(sorted.begin(), sorted.end(), qreal(0));
    qreal common = 0;
    for (qsizetype k = 0; k < sorted.size(); ++k) {
        // Columns 0..k take the common width, the others keep their own.
        wideSum -= sorted[k];
        const qreal candidate = (total - wideSum) / static_cast<qreal>(k + 1);
        const bool fitsBelowNext = k + 1 == sorted.size() || candidate <= sorted[k + 1];
        if (candidate >= sorted[k] && fitsBelowNext) {
            common = candidate;
            break;
        }
    }
    QList<qreal> widths;
    for (qreal w : natural) widths.append(std::max(w, common));
    return widths;
}

QList<PrintPage> BreakPages(const QList<qreal>& rowHeights, qreal titleHeight, qreal pageHeight) {
    QList<PrintPage> pages;
    const int rowCount = static_cast<int>(rowHeights.size());
    const qreal heading = rowCount > 0 ? rowHeights[0] : 0;
    PrintPage page{1, 0, true};
    qreal used = titleHeight + heading;
    for (int r = 1; r < rowCount; ++r) {
        const bool pageHasRows = page.lastRow >= page.firstRow;
        if (pageHasRows && used + rowHeights[r] > pageHeight) {
            pages.append(page);
            page = PrintPage{r, r - 1, false};
            used = heading;
        }
        page.lastRow = r;
        used += rowHeights[r];
    }
    pages.append(page);
    return pages;
}

}  // namespace

PrintLayout LayOutPrint(const PrintLayoutInput& input) {
    PrintLayout layout;
    const qreal natural = std::accumulate(input.naturalColumnWidths.begin(),
                                          input.naturalColumnWidths.end(), qreal(0));
    const qreal width = input.area.width();
    if (natural > width && natural > 0) layout.scale = width / natural;
    layout.columnWidths = FillWidth(input.naturalColumnWidths, width / layout.scale);
    layout.pages =
        BreakPages(input.naturalRowHeights, input.titleHeight, input.area.height() / layout.scale);
    return layout;
}

}  // namespace channel
