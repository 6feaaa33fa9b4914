#include "table/print/TablePrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "table/print/PrintFont.h"
#include "table/print/PrintLayout.h"

namespace channel {

namespace {

const QString kTitle = QStringLiteral("水利要素表");

constexpr qreal kTitlePoints = 16;
constexpr qreal kCellPoints = 10;
constexpr qreal kTitleGapPoints = 10;
constexpr qreal kCellPaddingXPoints = 5;
constexpr qreal kCellPaddingYPoints = 3.5;
constexpr qreal kGridPenPoints = 0.5;
constexpr qreal kBorderPenPoints = 1.2;
constexpr qreal kMinimumMarginMillimetres = 10;
constexpr int kTextFlags = Qt::AlignCenter | Qt::TextExpandTabs;

const QColor kHeadingShade(0xD9, 0xDE, 0xE6);
const QColor kItemShade(0xF1, 0xF3, 0xF6);
const QColor kGridColour(0x60, 0x60, 0x60);

// Lengths on the printer, in its device pixels.
class PrintUnits {
  public:
    explicit PrintUnits(const QPrinter& printer) : dotsPerInch_(printer.resolution()) {}
    qreal Points(qreal points) const { return points * dotsPerInch_ / 72.0; }
    qreal Millimetres(qreal mm) const { return mm * dotsPerInch_ / 25.4; }

  private:
    qreal dotsPerInch_;
};

struct PrintFonts {
    QFont title = PrintFont(kTitlePoints, true);
    QFont heading = PrintFont(kCellPoints, true);
    QFont cell = PrintFont(kCellPoints, false);
};

// The printable area in painter coordinates, shrunk where the printer's own
// margins are below the minimum.
QRectF ContentArea(const QPrinter& printer, const PrintUnits& units) {
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const qreal margin = units.Millimetres(kMinimumMarginMillimetres);
    const QRectF area = page.intersected(paper.adjusted(margin, margin, -margin, -margin));
    const QPointF painterOrigin = printer.fullPage() ? paper.topLeft() : page.topLeft();
    return area.translated(-painterOrigin);
}

class TablePainter {
  public:
    TablePainter(const ElementsTable& table, QPrinter& printer)
        : table_(table), printer_(printer), units_(printer) {}

    void Paint() {
        const QRectF area = ContentArea(printer_, units_);
        if (area.isEmpty()) return;
        Measure(area.size());
        QPainter painter;
        if (!painter.begin(&printer_)) return;
        for (qsizetype p = 0; p < layout_.pages.size(); ++p) {
            if (p > 0 && !printer_.newPage()) return;
            painter.save();
            painter.translate(area.topLeft());
            painter.scale(layout_.scale, layout_.scale);
            PaintPage(painter, layout_.pages[p]);
            painter.restore();
        }
        painter.end();
    }

  private:
    // Row 0 is the heading row, repeated at the top of every page.
    QFont FontFor(int row) const { return row == 0 ? fonts_.heading : fonts_.cell; }

    QSizeF TextSize(int row, int column) const {
        const QFontMetricsF metrics(FontFor(row), &printer_);
        const QString text = table_.DisplayText(row, column);
        const QSizeF size = metrics.boundingRect(QRectF(), kTextFlags, text).size();
        return {size.width(), std::max(size.height(), metrics.height())};
    }

    void Measure(const QSizeF& area) {
        PrintLayoutInput input;
        input.area = area;
        const qreal padX = units_.Points(kCellPaddingXPoints);
        const qreal padY = units_.Points(kCellPaddingYPoints);
        for (int c = 0; c < table_.ColumnCount(); ++c) input.naturalColumnWidths.append(0);
        for (int r = 0; r < table_.RowCount(); ++r) {
            qreal height = 0;
            for (int c = 0; c < table_.ColumnCount(); ++c) {
                const QSizeF size = TextSize(r, c);
                input.naturalColumnWidths[c] =
                    std::max(input.naturalColumnWidths[c], size.width() + 2 * padX);
                height = std::max(height, size.height() + 2 * padY);
            }
            input.naturalRowHeights.append(height);
        }
        titleHeight_ = QFontMetricsF(fonts_.title, &printer_).height();
        input.titleHeight = titleHeight_ + units_.Points(kTitleGapPoints);
        rowHeights_ = input.naturalRowHeights;
        layout_ = LayOutPrint(input);
        tableWidth_ = 0;
        for (qreal w : layout_.columnWidths) tableWidth_ += w;
    }

    void PaintPage(QPainter& painter, const PrintPage& page) {
        qreal y = 0;
        if (page.showsTitle) {
            painter.setFont(fonts_.title);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(0, 0, tableWidth_, titleHeight_), Qt::AlignCenter, kTitle);
            y = titleHeight_ + units_.Points(kTitleGapPoints);
        }
        const qreal tableTop = y;
        if (table_.RowCount() > 0) y = PaintRow(painter, 0, y);
        for (int r = page.firstRow; r <= page.lastRow; ++r) y = PaintRow(painter, r, y);
        painter.setPen(QPen(Qt::black, units_.Points(kBorderPenPoints)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(0, tableTop, tableWidth_, y - tableTop));
    }

    // Paints one row with its top at y and returns the y below it.
    qreal PaintRow(QPainter& painter, int row, qreal y) {
        const qreal height = rowHeights_[row];
        const QPen gridPen(kGridColour, units_.Points(kGridPenPoints));
        painter.setFont(FontFor(row));
        qreal x = 0;
        for (int c = 0; c < table_.ColumnCount(); ++c) {
            const QRectF cell(x, y, layout_.columnWidths[c], height);
            const bool heading = row == 0;
            const bool item = c < table_.FixedColumns();
            painter.setPen(gridPen);
            painter.setBrush(heading ? QBrush(kHeadingShade)
                             : item  ? QBrush(kItemShade)
                                     : Qt::NoBrush);
            painter.drawRect(cell);
            painter.setPen(Qt::black);
            painter.drawText(cell, kTextFlags, table_.DisplayText(row, c));
            x += layout_.columnWidths[c];
        }
        return y + height;
    }

    const ElementsTable& table_;
    QPrinter& printer_;
    PrintUnits units_;
    PrintFonts fonts_;
    PrintLayout layout_;
    QList<qreal> rowHeights_;
    qreal titleHeight_ = 0;
    qreal tableWidth_ = 0;
};

// Defaults for a wide twelve-column table; the print dialog may change them.
void SetUpPrinter(QPrinter& printer) {
    printer.setDocName(kTitle);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    printer.setFontEmbeddingEnabled(true);
}

}  // namespace

void RenderTable(const ElementsTable& table, QPrinter& printer) {
    TablePainter(table, printer).Paint();
}

void Print(const ElementsTable& table, PrintDialogs& dialogs) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    if (!dialogs.ConfirmPrint(printer)) return;
    RenderTable(table, printer);
}

void PrintPreview(const ElementsTable& table, PrintDialogs& dialogs) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    dialogs.ShowPreview(printer, [&table](QPrinter& target) { RenderTable(table, target); });
}

}  // namespace channel
