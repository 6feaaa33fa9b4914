#include "app/widgets/ReportPreview.h"

#include <QPrinter>

#include "app/report/ReportPages.h"
#include "app/report/ReportTexts.h"
#include "table/print/PrintDialogs.h"

namespace channel {

void PreviewReport(const CalculationReport& report, PrintDialogs& dialogs) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(20, 12, 18, 12), QPageLayout::Millimeter));
    printer.setDocName(QString::fromUtf8(report_text::kTitle));
    dialogs.ShowPreview(printer, [&report](QPrinter& target) { PaintReport(report, target); });
}

}  // namespace channel
