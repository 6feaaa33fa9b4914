// The printing functions as linked into this binary; the printing module
// hands them out through PrintingEntry.cpp.

#include "app/widgets/PrintingModule.h"
#include "app/widgets/ReportPreview.h"
#include "table/print/TablePrinter.h"

namespace channel {

const Printing& LinkedPrinting() {
    static const Printing printing{
        [](const ElementsTable& table, PrintDialogs& dialogs) { Print(table, dialogs); },
        [](const ElementsTable& table, PrintDialogs& dialogs) { PrintPreview(table, dialogs); },
        [](const CalculationReport& report, PrintDialogs& dialogs) {
            PreviewReport(report, dialogs);
        },
        [](QWidget* parent) -> PrintDialogs* { return new QtPrintDialogs(parent); },
    };
    return printing;
}

}  // namespace channel
