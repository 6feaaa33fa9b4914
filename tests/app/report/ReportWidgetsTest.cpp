#include <gtest/gtest.h>

#include <QDate>
#include <QDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/report/ReportDocument.h"
#include "app/widgets/ReportPreview.h"
#include "app/widgets/ReportWidgets.h"
#include "support/AppTable.h"
#include "support/PrintDoubles.h"
#include "tests/app/MainWindowFixture.h"

namespace channel {

namespace {

TEST(ReportInfoDialogTest, StartsFromTheInformationWithTodayForNoDateAndGivesBackWhatIsTyped) {
    const auto dialog = CreateReportInfoDialog({"工程", "渠道", "", "甲", "", "", ""}, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("计算书信息"));
    EXPECT_EQ(ReportInfoOf(*dialog), (ReportInfo{"工程", "渠道", "", "甲", "", "",
                                                 QDate::currentDate().toString("yyyy-MM-dd")}));
    dialog->findChild<QLineEdit*>(QStringLiteral("审核"))->setText(QStringLiteral("  王五 "));
    dialog->findChild<QLineEdit*>(QStringLiteral("日期"))->setText(QStringLiteral("2026年"));
    EXPECT_EQ(ReportInfoOf(*dialog), (ReportInfo{"工程", "渠道", "", "甲", "", "王五", "2026年"}));
}

TEST(ReportPreviewTest, PaintsThePagesOnThePreviewsPrinter) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
    QTemporaryDir dir;
    AppTable table;
    const QStringList row = {"2",    "1.5", "0.94", "0.025", "0.0005", "3.21",
                             "5.39", "0.6", "36.7", "2.03",  "0.63"};
    for (int column = 1; column <= 11; ++column) table.SetCellText(1, column, row[column - 1]);
    ReportInfo info;
    info.project = QStringLiteral("某工程");
    const CalculationReport report = BuildReport({table, {1}, info, {}, true, QDate(2026, 12, 9)});
    ScriptedPrintDialogs dialogs;
    dialogs.pdfFile = dir.filePath("preview.pdf");
    PreviewReport(report, dialogs);
    QProcess text;
    text.start("pdftotext", {"-layout", dialogs.pdfFile, "-"});
    text.waitForFinished();
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains(QStringLiteral("某工程"))) << printed.toStdString();
    EXPECT_TRUE(printed.contains(QStringLiteral("2026-12-09")));
    EXPECT_TRUE(printed.contains(QStringLiteral("36.70")));
}

// The menu items run the report commands on the window's document, after
// committing the open edit.
TEST_F(MainWindowTest, ReportMenuItemsExportAndPreviewTheCalculatedRows) {
    QTemporaryDir dir;
    FillAndCalculate(
        window, 1,
        {"2", "1.5", nullptr, "0.025", "0.0005", nullptr, nullptr, nullptr, nullptr, "2"});
    const auto trigger = [&](const char* item) {
        window.FileMenu()->findChild<QAction*>(QString::fromUtf8(item))->trigger();
    };
    doubles.dialogs->reportAnswers = {dir.filePath("r.odt")};
    trigger("导出计算书");
    EXPECT_TRUE(QFileInfo(dir.filePath("r.odt")).size() > 0);
    EXPECT_TRUE(window.StatusText().contains("r.odt"));
    doubles.print->pdfFile = dir.filePath("preview.pdf");
    trigger("打印计算书");
    EXPECT_EQ(doubles.print->previews, 1);
    EXPECT_TRUE(QFileInfo(doubles.print->pdfFile).size() > 0);
}

}  // namespace

}  // namespace channel
