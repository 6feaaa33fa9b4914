#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <deque>
#include <optional>
#include <vector>

#include "RecordingAutomation.h"
#include "TestTable.h"
#include "cad/CadExport.h"
#include "cad/CadMessages.h"
#include "io/SystemErrorText.h"
#include "support/ScriptedAnswers.h"
#include "support/WriteFaults.h"

namespace channel {

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The window's side of the export: a scripted save dialog and the status line.
struct FakeWindow {
    std::deque<std::optional<QString>> dxfPaths;  // nullopt: the dialog is dismissed
    int dialogsShown = 0;
    QStringList statuses;

    CadExportSeams Seams() {
        return {[this] {
                    ++dialogsShown;
                    return NextScriptedAnswer(dxfPaths, "DXF save dialog",
                                              std::optional<QString>());
                },
                [this](const QString& text) { statuses << text; }};
    }
};

class CadExportTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(directory_.isValid());
        table_.FillRow(2, {"2", "1", "0.8", "0.014", "0.0004", "1.84", "4.03", "0.457", "42.6",
                           "2.85", "1.55"});
    }
    void TearDown() override { ReleaseCadConnection(connection_); }

    void Export(Automation* autoCad) {
        CadExportSeams seams = window_.Seams();
        ExportTableToCad(connection_, table_.Source(), seams, autoCad);
    }
    QString PathIn(const QString& name) const { return directory_.filePath(name); }

    QTemporaryDir directory_;
    TestTable table_;
    CadConnection connection_;
    FakeWindow window_;
};

TEST_F(CadExportTest, ReachedAutoCadGetsTheTableAndNoFileIsAskedFor) {
    RecordingAutomation autoCad;
    Export(&autoCad);
    EXPECT_EQ(window_.statuses, QStringList{Text(cad_messages::kDrawnInAutoCad)});
    EXPECT_EQ(window_.dialogsShown, 0);
}

TEST_F(CadExportTest, AFailedCallIsReportedNotPraised) {
    RecordingAutomation autoCad(FailingMember("ActiveDocument"));
    Export(&autoCad);
    EXPECT_EQ(window_.statuses, QStringList{Text(cad_messages::kAutoCadIncomplete)});
    EXPECT_EQ(window_.dialogsShown, 0);
}

TEST_F(CadExportTest, UnreachableAutoCadIsReportedAndTheTableGoesToTheNamedDxfFile) {
    RecordingAutomation autoCad(Unreachable());
    const QString path = PathIn("表格.dxf");
    window_.dxfPaths = {path};
    Export(&autoCad);

    EXPECT_EQ(window_.statuses,
              (QStringList{Text(cad_messages::kAutoCadUnreachable),
                           Text(cad_messages::kSavedAsDxf).arg(QDir::toNativeSeparators(path))}));
    EXPECT_EQ(autoCad.Calls().size(), 2u);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("ANSI_936"));
}

TEST_F(CadExportTest, WithoutAutoCadACancelledDialogChangesAndDrawsNothing) {
    window_.dxfPaths = {std::nullopt};
    Export(nullptr);
    EXPECT_EQ(window_.dialogsShown, 1);
    EXPECT_TRUE(window_.statuses.isEmpty());
    EXPECT_EQ(connection_.cadApplication, nullptr);
    EXPECT_EQ(connection_.cadLastText, nullptr);
    EXPECT_TRUE(QDir(directory_.path()).isEmpty());
}

// The reason is the cause in Chinese. A device is refused before anything is
// written: renaming a finished file over it would replace the device itself.
TEST_F(CadExportTest, AnUnwritableFileIsReportedWithItsReason) {
    struct Case {
        QString path;
        const char* reason;
    };
    for (const Case& c : {Case{PathIn("missing-folder/table.dxf"), "文件或文件夹不存在"},
                          Case{"/dev/full", "目标不是普通文件"}}) {
        SCOPED_TRACE(c.reason);
        if (c.path.startsWith("/dev") && !IsCharacterDevice(c.path)) continue;
        window_.statuses.clear();
        window_.dxfPaths = {c.path};
        Export(nullptr);

        EXPECT_EQ(window_.statuses,
                  QStringList{Text(cad_messages::kDxfNotWritten).arg(Text(c.reason))});
    }
    EXPECT_FALSE(QFile::exists(PathIn("missing-folder")));
    if (QFile::exists("/dev/full")) {
        EXPECT_TRUE(IsCharacterDevice("/dev/full"));
    }
}

TEST_F(CadExportTest, ADxfExportReplacesAnExistingFileWhole) {
    const QString path = PathIn("table.dxf");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
    }
    window_.dxfPaths = {path};
    Export(nullptr);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.contains("xxx"));
    EXPECT_TRUE(bytes.endsWith("EOF\r\n"));
}

// The disk fills up part-way through the new drawing (a short write, then a
// failing one): the old drawing stays as it was, and the status line says why
// the new one was not written instead of reporting it saved.
TEST_F(CadExportTest, AWriteThatFailsPartwayKeepsTheOldFileAndReportsTheCause) {
    struct Case {
        const char* name;
        int computedRows;
        rlim_t limit;
    };
    for (const Case& c : {Case{"small", 1, 512}, Case{"past Qt's buffer", 10, 20000}}) {
        SCOPED_TRACE(c.name);
        for (int row = 1; row <= c.computedRows; ++row) {
            table_.FillRow(row, {"2", "1", "0.8", "0.014", "0.0004", "1.84", "4.03", "0.457",
                                 "42.6", "2.85", "1.55"});
        }
        const QString path = PathIn("table.dxf");
        const QByteArray oldBytes = QByteArray(30000, 'o');
        {
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            ASSERT_EQ(old.write(oldBytes), oldBytes.size());
        }
        window_.statuses.clear();
        window_.dxfPaths = {path};
        {
            FileSizeLimit limit(c.limit);
            ASSERT_TRUE(limit.active());
            Export(nullptr);
        }
        EXPECT_EQ(window_.statuses,
                  QStringList{Text(cad_messages::kDxfNotWritten).arg(SystemErrorText(EFBIG))});
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), oldBytes);
        EXPECT_EQ(QDir(directory_.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"table.dxf"});
    }
}

}  // namespace

}  // namespace channel
