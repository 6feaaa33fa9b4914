#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "support/AppTable.h"
#include "support/PrintDoubles.h"
#include "table/print/TablePrinter.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

// The table with row 1 as a calculation leaves it: stored texts at full
// precision, the row marker in the item column.
struct CalculatedTable : AppTable {
    CalculatedTable() {
        const QStringList row1 = {"1  >>>",      "3.5",        "1.5",        "1.2",
                                  "0.014",       "3000",       "6.36000013", "7.82666397",
                                  "0.812606037", "68.8377686", "3.56997752", "0.561317921"};
        for (int column = 0; column < kColumns; ++column) SetCellText(1, column, row1[column]);
    }
};

QString Poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

void UsePdfFile(QPrinter& printer, const QString& file) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
}

class TablePrinterTest : public testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
            QStandardPaths::findExecutable("pdffonts").isEmpty())
            GTEST_SKIP() << "poppler-utils is not installed";
        ASSERT_TRUE(dir.isValid());
    }
    QString PrintToPdf() {
        QPrinter printer(QPrinter::HighResolution);
        UsePdfFile(printer, dir.filePath("table.pdf"));
        RenderTable(table, printer);
        return dir.filePath("table.pdf");
    }
    static QString Text(const QString& pdf) { return Poppler("pdftotext", {"-layout", pdf, "-"}); }

    QTemporaryDir dir;
    CalculatedTable table;
};

TEST_F(TablePrinterTest, PageShowsTitleHeadingsAndRowsAsDisplayedInEmbeddedFonts) {
    const QString pdf = PrintToPdf();
    const QString text = Text(pdf);
    ASSERT_TRUE(text.contains("水利要素表")) << text.toStdString();
    for (const char* heading : kHeadings)
        EXPECT_TRUE(text.contains(QString::fromUtf8(heading))) << heading;
    // Row 1 on one line in column order, rounded where the column has
    // decimals, as stored in the roughness and slope columns.
    QStringList row1 = {"1",    ">>>",  "3.50", "1.50",  "1.20", "0.014", "3000",
                        "6.36", "7.83", "0.81", "68.84", "3.57", "0.56"};
    for (QString& cell : row1) cell = QRegularExpression::escape(cell);
    EXPECT_TRUE(text.contains(QRegularExpression("\n" + row1.join("\\s+") + "\\s*\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(R"(\n\s*10\s*\n)")));

    const QStringList fonts = Poppler("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& font : fonts) {  // name type encoding emb sub uni object ID
        const QStringList fields = font.split(' ', Qt::SkipEmptyParts);
        EXPECT_EQ(fields.value(fields.size() - 5), "yes") << font.toStdString();
    }
}

TEST_F(TablePrinterTest, TableWiderThanThePageIsShrunkOntoIt) {
    table.SetCellText(2, kRoughnessColumn, QString("很长的文本").repeated(12));
    const QString xml = Poppler("pdftotext", {"-bbox", PrintToPdf(), "-"});
    const double pageWidth =
        QRegularExpression(R"re(<page width="([\d.]+)")re").match(xml).captured(1).toDouble();
    ASSERT_GT(pageWidth, 0) << xml.toStdString();
    auto words = QRegularExpression(R"re(<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)")re")
                     .globalMatch(xml);
    int count = 0;
    for (; words.hasNext(); ++count) {
        const auto word = words.next();
        EXPECT_TRUE(word.captured(1).toDouble() > 0 && word.captured(2).toDouble() < pageWidth);
    }
    EXPECT_GT(count, 12);
    EXPECT_TRUE(xml.contains("流速"));
}

TEST_F(TablePrinterTest, PrintAndPreviewGoThroughTheDialogs) {
    ScriptedPrintDialogs dialogs;
    dialogs.pdfFile = dir.filePath("cancelled.pdf");
    dialogs.confirmAnswers = {false};
    Print(table, dialogs);
    EXPECT_FALSE(QFile::exists(dialogs.pdfFile));

    dialogs.pdfFile = dir.filePath("printed.pdf");
    dialogs.confirmAnswers = {true};
    Print(table, dialogs);
    EXPECT_TRUE(Text(dialogs.pdfFile).contains("68.84"));

    dialogs.pdfFile = dir.filePath("preview.pdf");
    PrintPreview(table, dialogs);
    EXPECT_TRUE(Text(dialogs.pdfFile).contains("68.84"));
}

}  // namespace

}  // namespace channel
