#pragma once

#include <functional>
#include <memory>

#include "table/print/PrintDialogs.h"

class QWidget;

namespace channel {

class ElementsTable;
struct CalculationReport;

// Printing lives in a module of its own (channel_printing), opened on the
// first print or preview: Qt Print Support would otherwise load with the
// program, before its window shows.

// What the module does, as plain functions.
struct Printing {
    // Asks for the printer and prints the table (TablePrinter.h).
    void (*printTable)(const ElementsTable& table, PrintDialogs& dialogs);
    // The print preview of the table.
    void (*previewTable)(const ElementsTable& table, PrintDialogs& dialogs);
    // The print preview of a calculation report.
    void (*previewReport)(const CalculationReport& report, PrintDialogs& dialogs);
    // Qt's own print and preview dialogs, modal over `parent`; the caller
    // owns them.
    PrintDialogs* (*makeDialogs)(QWidget* parent);
};

// The printing functions linked into this binary (the module's own, and the
// tests').
const Printing& LinkedPrinting();

// The module's one entry point, with the signature of channel_printing in
// PrintingEntry.cpp, and its file name without the platform's suffix.
inline constexpr char kPrintingSymbol[] = "channel_printing";
inline constexpr char kPrintingModuleName[] = "channel_printing";

// Opens the module; null when it cannot be opened.
const Printing* LoadPrinting();

// Where the printing functions come from: the module by default, linked
// ones in tests.
using PrintingSource = std::function<const Printing*()>;

// Qt's print dialogs, made through `source` when first asked for, so that
// making the main window does not open the module.
class DeferredPrintDialogs : public PrintDialogs {
  public:
    DeferredPrintDialogs(PrintingSource source, QWidget* parent);
    ~DeferredPrintDialogs() override;
    bool ConfirmPrint(QPrinter& printer) override;
    void ShowPreview(QPrinter& printer, const std::function<void(QPrinter&)>& paint) override;

  private:
    // Null when the module cannot be opened; nothing is then printed, and
    // no printer reaches here either, since the printer comes from it.
    PrintDialogs* Real();

    PrintingSource source_;
    QPointer<QWidget> parent_;
    std::unique_ptr<PrintDialogs> real_;
};

}  // namespace channel
