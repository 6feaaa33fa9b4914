#pragma once

#include <QPrinter>
#include <QString>
#include <deque>
#include <functional>

#include "support/ScriptedAnswers.h"
#include "table/print/PrintDialogs.h"

namespace channel {

// The print dialog answered from a script, the preview counted. With a PDF
// file set, what is printed goes to that file and a preview paints it there
// too; without one nothing is painted.
struct ScriptedPrintDialogs : PrintDialogs {
    std::deque<bool> confirmAnswers;  // false: cancelled
    int printAsked = 0, previews = 0;
    QString pdfFile;

    bool ConfirmPrint(QPrinter& printer) override {
        ++printAsked;
        if (!pdfFile.isEmpty()) PrintToPdfFile(printer);
        return NextScriptedAnswer(confirmAnswers, "print dialog", false);
    }
    void ShowPreview(QPrinter& printer, const std::function<void(QPrinter&)>& paint) override {
        ++previews;
        if (pdfFile.isEmpty()) return;
        PrintToPdfFile(printer);
        paint(printer);
    }

  private:
    void PrintToPdfFile(QPrinter& printer) const {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
    }
};

}  // namespace channel
