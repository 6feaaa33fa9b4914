#include "app/report/ReportPages.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <memory>

#include "app/report/ReportDocument.h"
#include "app/report/ReportFont.h"
#include "app/report/ReportTexts.h"
#include "io/AtomicFileWrite.h"

namespace channel {

namespace {

constexpr double kHeaderMillimetres = 10;
constexpr double kFooterMillimetres = 9;
constexpr int kPdfDotsPerInch = 300;

double Pixels(double millimetres, const QPaintDevice& device) {
    return millimetres / 25.4 * device.logicalDpiY();
}

void PaintHeaderAndFooter(QPainter& painter, const QRectF& page, const QString& header, int number,
                          int count) {
    painter.save();
    painter.setFont(ReportFont(9));
    painter.setPen(Qt::black);
    const double headerHeight = Pixels(kHeaderMillimetres, *painter.device());
    const QRectF headerBox(page.left(), page.top(), page.width(), headerHeight * 0.7);
    painter.drawText(headerBox, Qt::AlignLeft | Qt::AlignBottom, header);
    painter.drawText(headerBox, Qt::AlignRight | Qt::AlignBottom,
                     QString::fromUtf8(report_text::kTitle));
    painter.setPen(QPen(Qt::black, Pixels(0.25, *painter.device())));
    painter.drawLine(QPointF(page.left(), headerBox.bottom() + headerHeight * 0.1),
                     QPointF(page.right(), headerBox.bottom() + headerHeight * 0.1));
    const double footerHeight = Pixels(kFooterMillimetres, *painter.device());
    const QRectF footerBox(page.left(), page.bottom() - footerHeight * 0.7, page.width(),
                           footerHeight * 0.7);
    painter.drawText(footerBox, Qt::AlignHCenter | Qt::AlignBottom,
                     QString::fromUtf8(report_text::kPageFooter).arg(number).arg(count));
    painter.restore();
}

}  // namespace

bool PaintReport(const CalculationReport& report, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    // The figures are line drawings: JPEG would blur their thin lines.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    // Laid out for the device itself, so fonts and pictures take their
    // printed sizes whatever the screen's resolution.
    const std::unique_ptr<QTextDocument> document(report.document->clone());
    document->documentLayout()->setPaintDevice(&device);
    const QRectF page(QPointF(0, 0),
                      device.pageLayout().paintRectPixels(device.logicalDpiY()).size());
    const double top = Pixels(kHeaderMillimetres, device);
    const QSizeF body(page.width(), page.height() - top - Pixels(kFooterMillimetres, device));
    document->setPageSize(body);
    const int pages = document->pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0) device.newPage();
        PaintHeaderAndFooter(painter, page, report.header, index + 1, pages);
        painter.save();
        painter.translate(0, top - index * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(QPointF(0, index * body.height()), body);
        painter.setClipRect(context.clip);
        document->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return true;
}

ReportFileType ReportFileTypeOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf")) return ReportFileType::kPdf;
    if (suffix == QLatin1String("odt")) return ReportFileType::kOdt;
    return ReportFileType::kUnknown;
}

Outcome<QString> WriteReport(const CalculationReport& report, const QString& path) {
    using Written = Outcome<QString>;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    switch (ReportFileTypeOf(path)) {
        case ReportFileType::kPdf: {
            QPdfWriter writer(&buffer);
            writer.setResolution(kPdfDotsPerInch);
            writer.setTitle(QString::fromUtf8(report_text::kTitle));
            writer.setCreator(QStringLiteral("梯形渠道水利计算"));
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                             QMarginsF(20, 12, 18, 12), QPageLayout::Millimeter));
            if (!PaintReport(report, writer))
                return Written::Failure(QStringLiteral("无法生成 PDF 文件。"));
            break;
        }
        case ReportFileType::kOdt: {
            QTextDocumentWriter writer(&buffer, "odf");
            if (!writer.write(report.document.get()))
                return Written::Failure(QStringLiteral("无法生成 ODT 文件。"));
            break;
        }
        case ReportFileType::kUnknown:
            return Written::Failure(QString::fromUtf8(report_text::kUnknownType));
    }
    buffer.close();
    const FileWriteOutcome written = WriteFileAtomically(path, buffer.data());
    if (!written.ok())
        return Written::Failure(
            QStringLiteral("无法写入文件（%1）。").arg(written.reason().reason));
    return Written::Success();
}

}  // namespace channel
