#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "files/ReportInfo.h"

namespace channel {

class Document;
class FileDialogs;
class FileMessages;
struct CalculationReport;

// 文件 → 计算书信息: the report information, edited. nullopt: cancelled.
class ReportInfoDialog {
  public:
    virtual ~ReportInfoDialog() = default;
    virtual std::optional<ReportInfo> AskReportInfo(const ReportInfo& current) = 0;
};

// What the report commands reach outside the process.
struct ReportSeams {
    FileDialogs& fileDialogs;    // the save dialog of 导出计算书
    FileMessages& fileMessages;  // a file that could not be written
    ReportInfoDialog& infoDialog;
    // The print preview of the report, printing from it through the print
    // dialog.
    std::function<void(const CalculationReport&)> preview;
    std::function<void(const QString&)> showStatus;
};

// The calculation-report commands of the 文件 menu, on the open document:
// the report covers the rows ReportedRows picks from its table.
class ReportCommands {
  public:
    ReportCommands(Document& document, ReportSeams seams);

    // 导出计算书: asks for a PDF or ODT file name and writes the report there.
    void Export();
    // 打印计算书: the report's print preview.
    void Print();
    // 计算书信息: edits the report information the element file keeps.
    void EditInfo();

  private:
    // The report of the document as it is now; nothing, with a word on the
    // status line, when no row holds results.
    std::optional<CalculationReport> Build();
    QString SuggestedPath() const;

    Document& document_;
    ReportSeams seams_;
};

}  // namespace channel
