#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstdio>

#include "TestSupport.h"
#include "files/ElementFile.h"
#include "files/FileCommands.h"
#include "io/SystemErrorText.h"
#include "support/WriteFaults.h"
#include "table/ElementsLayout.h"

namespace channel {

using namespace files_test;

namespace {

// A saved file "old.efs" is current, new typing is on screen, and every
// attempt must leave the table, the flag, the name and the old bytes alone.
class SaveFault : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        oldPath_ = dir_.filePath("old.efs");
        WriteOldFile(oldPath_);
        Fill(h_.table, TaggedCells("typed after the last save"));
        h_.document.currentFileName = oldPath_;
        h_.document.modified = 1;
    }
    void TearDown() override { h_.ExpectScriptsUsed(); }

    void WriteOldFile(const QString& path) {
        ElementsTable old(kRows, kColumns, kFixedRows, kFixedColumns);
        Fill(old, TaggedCells("old"));
        ASSERT_TRUE(SaveToFile(old, path).ok());
        oldBytes_ = ReadBytes(path);
    }

    void SaveAsTo(const QString& target) {
        h_.dialogs.saveAnswers = {target};
        SaveTableAs(h_.context);
    }

    void ExpectReportedAndNothingLost(const QString& target) {
        ASSERT_EQ(h_.messages.errors.size(), 1u);
        EXPECT_EQ(h_.messages.errors[0].path, target);
        EXPECT_FALSE(h_.messages.errors[0].reason.isEmpty());
        EXPECT_EQ(h_.table.Cells(), TaggedCells("typed after the last save"));
        EXPECT_EQ(h_.document.modified, 1);
        EXPECT_EQ(h_.document.currentFileName, oldPath_);
        EXPECT_EQ(ReadBytes(oldPath_), oldBytes_);
    }

    QTemporaryDir dir_;
    QString oldPath_;
    QByteArray oldBytes_;
    CommandHarness h_;
};

TEST_F(SaveFault, ReadOnlyFolder) {
    const QString folder = dir_.filePath("read-only");
    ASSERT_TRUE(QDir(dir_.path()).mkdir("read-only"));
    oldPath_ = folder + "/old.efs";
    WriteOldFile(oldPath_);
    h_.document.currentFileName = oldPath_;
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);

    QFile probe(folder + "/probe");
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        chmod(QFile::encodeName(folder).constData(), 0755);
        GTEST_SKIP() << "this user can create files in a read-only folder (root), so the save "
                        "cannot fail here";
    }
    SaveTable(h_.context);
    chmod(QFile::encodeName(folder).constData(), 0755);
    ExpectReportedAndNothingLost(oldPath_);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"old.efs"});
}

TEST_F(SaveFault, OntoAFolder) {
    const QString folder = dir_.filePath("folder.efs");
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.efs"));
    ASSERT_TRUE(WriteBytes(folder + "/inside", "kept"));
    SaveAsTo(folder);
    ExpectReportedAndNothingLost(folder);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(ReadBytes(folder + "/inside"), "kept");
}

TEST_F(SaveFault, IntoAMissingFolder) {
    const QString target = dir_.filePath("missing/new.efs");
    SaveAsTo(target);
    ExpectReportedAndNothingLost(target);
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath("missing")));
}

TEST_F(SaveFault, OntoDevFull) {
    if (!IsCharacterDevice("/dev/full")) GTEST_SKIP() << "/dev/full is not available";
    SaveAsTo("/dev/full");
    ExpectReportedAndNothingLost("/dev/full");
    EXPECT_TRUE(IsCharacterDevice("/dev/full"));
}

TEST_F(SaveFault, ThroughALinkToDevFull) {
    if (!IsCharacterDevice("/dev/full")) GTEST_SKIP() << "/dev/full is not available";
    const QString link = dir_.filePath("full.efs");
    ASSERT_TRUE(QFile::link("/dev/full", link));
    SaveAsTo(link);
    ExpectReportedAndNothingLost(link);
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), "/dev/full");
    EXPECT_TRUE(IsCharacterDevice("/dev/full"));
}

// The disk fills up while the new content is being written: a short write,
// then a failing one; with the larger table past Qt's write buffer too.
TEST_F(SaveFault, WriteFailsPartway) {
    struct Case {
        const char* name;
        qsizetype extraText;
        rlim_t limit;
    };
    for (const Case& c : {Case{"small", 0, 512}, Case{"large", 400000, 100000}}) {
        SCOPED_TRACE(c.name);
        h_.messages.errors.clear();
        h_.table.SetCellText(5, elements_table::kBedSlopeColumn, QString(c.extraText, 'x'));
        {
            FileSizeLimit limit(c.limit);
            ASSERT_TRUE(limit.active());
            SaveTable(h_.context);
        }
        h_.table.SetCellText(
            5, elements_table::kBedSlopeColumn,
            TaggedCells(
                "typed after the last save")[5 * kColumns + elements_table::kBedSlopeColumn]);
        ExpectReportedAndNothingLost(oldPath_);
        EXPECT_EQ(h_.messages.errors[0].reason,
                  QStringLiteral("写入失败（磁盘可能已满），磁盘上的文件没有被改动（%1）。")
                      .arg(SystemErrorText(EFBIG)));
        // The half-written temporary file is gone too.
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.efs"});
    }
}

TEST_F(SaveFault, TableTooLargeForAnElementFile) {
    h_.table.SetCellText(4, elements_table::kRoughnessColumn,
                         QString(qsizetype{9} * 1024 * 1024, 'x'));
    const QStringList typed = h_.table.Cells();
    SaveTable(h_.context);
    ASSERT_EQ(h_.messages.errors.size(), 1u);
    EXPECT_EQ(h_.table.Cells(), typed);
    EXPECT_EQ(h_.document.modified, 1);
    EXPECT_EQ(ReadBytes(oldPath_), oldBytes_);
}

// A failed save says what is on disk: no file where there was none, and a
// plain file that stands where a folder should be is named as such.
TEST_F(SaveFault, TheReasonSaysWhatIsOnDisk) {
    ASSERT_TRUE(WriteBytes(dir_.filePath("plain"), "kept"));
    const QString plainFile = QStringLiteral("“%1”是一个文件，不是文件夹，无法在其中保存。")
                                  .arg(QDir::toNativeSeparators(dir_.filePath("plain")));
    const QString noFile = QStringLiteral("写入失败（磁盘可能已满），文件没有保存（%1）。")
                               .arg(SystemErrorText(EFBIG));
    for (const auto& [target, reason] : {std::pair{dir_.filePath("new.efs"), noFile},
                                         {dir_.filePath("plain/new.efs"), plainFile},
                                         {dir_.filePath("plain/sub/new.efs"), plainFile}}) {
        h_.messages.errors.clear();
        {
            FileSizeLimit limit(512);
            SaveAsTo(target);
        }
        ExpectReportedAndNothingLost(target);
        EXPECT_EQ(h_.messages.errors[0].reason, reason);
    }
}

// The program under `ulimit -f`: a child started with the limit and the
// signal's default action, as a shell starts the program, sets itself up as
// main() does and saves past the limit. It lives to report it.
TEST(SizeLimitedSave, TheProgramLivesAndTheOldFileStays) {
    if (const QString target = qEnvironmentVariable("SIZE_LIMITED_TARGET"); !target.isEmpty()) {
        ReportFileSizeLimitAsWriteError();
        ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
        table.SetCellText(3, elements_table::kBedSlopeColumn, QString(100000, u'x'));
        std::puts(SaveToFile(table, target).reason().toUtf8().constData());
        return;
    }
    QTemporaryDir dir;
    const QString target = dir.filePath("old.efs");
    ASSERT_TRUE(WriteBytes(target, "old"));
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SIZE_LIMITED_TARGET", target);
    child.setProcessEnvironment(environment);
    child.setChildProcessModifier([] {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 8192;
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_DFL);
    });
    child.start(QFileInfo("/proc/self/exe").canonicalFilePath(), {"--gtest_filter=SizeLimited*"});
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << "killed by a signal";
    EXPECT_EQ(child.exitCode(), 0);
    EXPECT_TRUE(child.readAllStandardOutput().contains(SystemErrorText(EFBIG).toUtf8()));
    EXPECT_EQ(ReadBytes(target), "old");
}

}  // namespace

}  // namespace channel
