// Writes the calculation report of a three-row table, each row found by its
// discharge, as report.pdf and report.odt into the folder given, through the
// real builder and writers, for checks with other programs
// (tools/check-report-odt.sh).
//   report_sample <folder>
#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "app/document/Document.h"
#include "app/report/ReportDocument.h"
#include "app/report/ReportPages.h"
#include "support/FileDoubles.h"
#include "support/MemoryClipboard.h"
#include "table/ElementsLayout.h"

int main(int argc, char** argv) {
    using namespace channel;
    using namespace elements_table;
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: report_sample <folder>\n");
        return 2;
    }
    ScriptedFileDialogs dialogs;
    ScriptedFileMessages messages;
    MemoryClipboard clipboard;
    Document document(DocumentSeams{dialogs, messages, clipboard, {}, {}, {}});
    const QStringList rows[] = {{"2", "1.5", "0.025", "1/2000", "2"},
                                {"3", "0", "0.014", "0.001", "6.2"},
                                {"0", "1", "0.02", "0.001", "0.79"}};
    const int columns[] = {kBottomWidthColumn, kSideSlopeColumn, kRoughnessColumn, kBedSlopeColumn,
                           kDischargeColumn};
    for (int row = 0; row < 3; ++row)
        for (int k = 0; k < 5; ++k) document.Table().SetCellText(row + 1, columns[k], rows[row][k]);
    document.RecalculateAllRows();
    const ReportInfo info{
        "东风灌区续建配套工程", "北干渠", "初步设计", "张三", "李四", "王五", "2026-12-01"};
    const CalculationReport report = BuildReport(
        {document.Table(), ReportedRows(document.Table()), info, {}, false, QDate::currentDate()});
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const char* name : {"report.pdf", "report.odt"}) {
        const Outcome<QString> written = WriteReport(report, folder.filePath(name));
        if (!written.ok()) {
            std::fprintf(stderr, "%s: %s\n", name, qPrintable(written.reason()));
            return 1;
        }
        std::printf("%s\n", qPrintable(folder.filePath(name)));
    }
    return 0;
}
