#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <deque>

#include "app/core/SectionDetails.h"
#include "app/document/Document.h"
#include "app/report/ReportCommands.h"
#include "app/report/ReportDocument.h"
#include "support/FileDoubles.h"
#include "support/MemoryClipboard.h"
#include "table/ElementsLayout.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

struct ScriptedReportInfoDialog : ReportInfoDialog {
    std::deque<std::optional<ReportInfo>> answers;
    std::optional<ReportInfo> AskReportInfo(const ReportInfo&) override {
        return NextScriptedAnswer(answers, "report information dialog",
                                  std::optional<ReportInfo>());
    }
};

QString Output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString Squeezed(QString text) {
    static const QRegularExpression kSpace(QStringLiteral("\\s"),
                                           QRegularExpression::UseUnicodePropertiesOption);
    return text.remove(kSpace);
}

// The paragraphs of an ODT's content.xml, one a line, read with Python's
// standard library.
QString OdtText(const QString& odt) {
    return Output(
        "python3",
        {"-c",
         "import sys, zipfile, xml.etree.ElementTree as ET\n"
         "root = ET.fromstring(zipfile.ZipFile(sys.argv[1]).read('content.xml'))\n"
         "for e in root.iter():\n"
         "    if e.tag.endswith('}p') or e.tag.endswith('}h'): print(''.join(e.itertext()))\n",
         odt});
}

// A document with report commands as the main window makes them, on doubles.
struct ReportFixture : testing::Test {
    ReportFixture() {
        QObject::connect(&document, &Document::statusChanged,
                         [this](const QString& text) { status = text; });
    }
    void SetUp() override {
        for (const char* tool : {"pdftotext", "pdffonts", "pdfimages", "python3"})
            if (QStandardPaths::findExecutable(tool).isEmpty()) GTEST_SKIP() << tool << " missing";
        ASSERT_TRUE(dir.isValid());
    }
    void Type(int row, const QStringList& cells) {  // b, m, h, n, i, Q
        const int columns[] = {kBottomWidthColumn, kSideSlopeColumn, kDepthColumn,
                               kRoughnessColumn,   kBedSlopeColumn,  kDischargeColumn};
        for (int k = 0; k < cells.size(); ++k)
            document.Table().SetCellText(row, columns[k], cells[k]);
    }
    QString Export(const QString& name) {
        const QString path = dir.filePath(name);
        dialogs.reportAnswers = {path};
        reports.Export();
        EXPECT_TRUE(dialogs.reportAnswers.empty());
        return path;
    }

    QTemporaryDir dir;
    ScriptedFileDialogs dialogs;
    ScriptedFileMessages messages;
    MemoryClipboard clipboard;
    ScriptedReportInfoDialog infoDialog;
    Document document{DocumentSeams{dialogs, messages, clipboard, {}, {}, {}}};
    int previews = 0;
    QString status;
    ReportCommands reports{document, ReportSeams{dialogs, messages, infoDialog,
                                                 [this](const CalculationReport&) { ++previews; },
                                                 [this](const QString& s) { status = s; }}};
};

struct ReportCase {
    const char* name;
    bool depthKnown;
    std::vector<QStringList> rows;  // typed from row 1 on
    int selectFrom, selectTo;       // rows selected; 0: none
    std::vector<int> reported;
};

class ReportFileTest : public ReportFixture, public testing::WithParamInterface<ReportCase> {};

// Every reported row's numbers as the table and 断面详情 show them, the
// information typed, in the PDF (fonts embedded, two pictures a row) and in
// the ODT; rows not reported nowhere.
TEST_P(ReportFileTest, PdfAndOdtHoldEveryReportedNumberAsTheTableShowsIt) {
    const ReportCase& c = GetParam();
    document.SetDepthKnownMode(c.depthKnown);
    for (int k = 0; k < static_cast<int>(c.rows.size()); ++k) Type(k + 1, c.rows[k]);
    document.RecalculateAllRows();
    if (c.selectFrom) document.Table().SetSelection(c.selectFrom, 1, c.selectTo, 11);
    const ReportInfo info{
        "东风灌区续建配套工程", "北干渠", "初步设计", "张三", "李四", "王五", "2026-12-01"};
    infoDialog.answers = {info};
    reports.EditInfo();
    ASSERT_EQ(ReportedRows(document.Table()), QList<int>(c.reported.begin(), c.reported.end()));

    const QString pdf = Export("report.pdf"), odt = Export("report.odt");
    ASSERT_TRUE(messages.errors.empty()) << messages.errors.front().reason.toStdString();
    // pdftotext may drop the spaces between Chinese and digits: compare
    // without any.
    const QString pdfText = Squeezed(Output("pdftotext", {pdf, "-"}));
    const QString odtText = OdtText(odt);
    ASSERT_FALSE(pdfText.isEmpty());
    ASSERT_FALSE(odtText.isEmpty());

    const QStringList fonts = Output("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& font : fonts)  // name type encoding emb sub uni object ID
        EXPECT_EQ(font.split(' ', Qt::SkipEmptyParts)
                      .value(font.split(' ', Qt::SkipEmptyParts).size() - 5),
                  "yes")
            << font.toStdString();
    // Two pictures a row; one near a page break may be laid on both pages.
    const qsizetype images =
        Output("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts).size() - 2;
    EXPECT_GE(images, 2 * static_cast<qsizetype>(c.reported.size()));
    const qsizetype pages = Output("pdftotext", {pdf, "-"}).count('\f');
    EXPECT_TRUE(pdfText.contains(Squeezed(QStringLiteral("第 %1 页 / 共 %1 页").arg(pages))));

    for (const QString& text : {pdfText, Squeezed(odtText)}) {
        for (const QString& field : {info.project, info.canal, info.stage, info.computedBy,
                                     info.checkedBy, info.approvedBy, info.date})
            EXPECT_TRUE(text.contains(Squeezed(field))) << field.toStdString();
        for (int row = kFirstSectionRow; row <= kLastSectionRow; ++row) {
            const bool reported = std::count(c.reported.begin(), c.reported.end(), row) > 0;
            EXPECT_EQ(text.contains(QStringLiteral("第%1行断面").arg(row)), reported) << row;
            EXPECT_EQ(text.contains(QStringLiteral("图%1-2水位流量关系曲线").arg(row)), reported);
            if (!reported) continue;
            for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
                const QString shown = document.Table().DisplayText(row, column);
                EXPECT_TRUE(text.contains(shown))
                    << row << "," << column << " " << shown.toStdString();
            }
            for (const SectionDetails::Value& value : DescribeRow(document.Table(), row).values)
                EXPECT_TRUE(text.contains(Squeezed(value.name)) && text.contains(value.number))
                    << row << " " << value.name.toStdString() << " " << value.number.toStdString();
        }
    }
    // The formula line as substituted, whole, in the ODT's one paragraph.
    const ElementsTable& t = document.Table();
    const int first = c.reported.front();
    const QString area =
        QStringLiteral("A = (b + m·h)·h = (%1 + %2 × %3) × %3 = %4 m²")
            .arg(t.DisplayText(first, kBottomWidthColumn), t.DisplayText(first, kSideSlopeColumn),
                 t.DisplayText(first, kDepthColumn), t.DisplayText(first, kAreaColumn));
    EXPECT_TRUE(odtText.contains(area)) << area.toStdString() << "\n" << odtText.toStdString();
}

const QStringList kTrapezoid = {"2", "1.5", "", "0.025", "1/2000", "2"};
const QStringList kRectangle = {"3", "0", "", "0.014", "0.001", "6.2"};
const QStringList kTriangle = {"0", "1", "", "0.02", "0.001", "0.79"};

INSTANTIATE_TEST_SUITE_P(
    Tables, ReportFileTest,
    testing::Values(
        ReportCase{"ThreeRowsFoundByTheirDischarge",
                   false,
                   {kTrapezoid, kRectangle, kTriangle},
                   0,
                   0,
                   {1, 2, 3}},
        ReportCase{"DepthsTypedRowsSelected",
                   true,
                   {{"2", "1.5", "1", "0.025", "0.0005"},
                    {"3", "0", "1.2", "0.014", "0.001"},
                    {"1.5", "2", "0.8", "0.03", "0.0002"}},
                   2,
                   3,
                   {2, 3}},
        ReportCase{
            "IncompleteRowsLeftOut", false, {kTrapezoid, {"4", "2"}, kRectangle}, 0, 0, {1, 3}}),
    [](const testing::TestParamInfo<ReportCase>& info) { return info.param.name; });

TEST_F(ReportFixture, NoComputedRowNoReportAndNoDialog) {
    Type(1, {"2", "1.5"});
    reports.Export();
    reports.Print();
    EXPECT_EQ(dialogs.reportAsked, 0);
    EXPECT_EQ(previews, 0);
    EXPECT_EQ(status, QString::fromUtf8("没有已计算的行，无法生成计算书。"));
}

TEST_F(ReportFixture, AnUnknownFileTypeIsRefusedAndNothingWritten) {
    Type(1, kTrapezoid);
    document.RecalculateAllRows();
    const QString path = Export("report.docx");
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_FALSE(QFile::exists(path));
    reports.Print();
    EXPECT_EQ(previews, 1);
}

// Kept in the element file with the table: saved, loaded back, and gone
// with 新建; changing it is unsaved until the next 保存, undo or not.
TEST_F(ReportFixture, InformationTravelsWithTheElementFile) {
    const ReportInfo info{"工程", "渠道", "施工图设计", "甲", "乙", "丙", "2026-12-09"};
    Type(1, kTrapezoid);
    document.CalculateCurrentRowAsStep();
    dialogs.saveAnswers = {dir.filePath("a.efs")};
    ASSERT_TRUE(document.SaveTable());
    infoDialog.answers = {std::nullopt, info};
    reports.EditInfo();
    EXPECT_FALSE(document.Modified()) << "a cancelled dialog changes nothing";
    reports.EditInfo();
    EXPECT_TRUE(document.Modified());
    document.Undo();
    EXPECT_TRUE(document.Modified());
    ASSERT_TRUE(document.SaveTable());

    messages.answers = {};
    document.NewTable();
    EXPECT_TRUE(document.ReportInformation().IsEmpty());
    document.OpenFile(dir.filePath("a.efs"));
    EXPECT_EQ(document.ReportInformation(), info);
    EXPECT_FALSE(document.Modified());
}

}  // namespace

}  // namespace channel
