#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <optional>
#include <ostream>
#include <tuple>

#include "io/AtomicFileWrite.h"
#include "io/SystemErrorText.h"
#include "support/FileBytes.h"
#include "support/WriteFaults.h"

namespace channel {

namespace {

// Content whose every part differs, so a mix of old and new shows.
QByteArray Content(char tag, qsizetype size) {
    QByteArray bytes;
    bytes.reserve(size);
    for (qsizetype i = 0; bytes.size() < size; ++i) bytes += tag + QByteArray::number(i) + '\n';
    bytes.truncate(size);
    return bytes;
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

class AtomicFileWriteTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(directory_.isValid());
        path_ = directory_.filePath("drawing.dat");
        ASSERT_TRUE(WriteFileAtomically(path_, oldBytes_).ok());
    }

    QTemporaryDir directory_;
    QString path_;
    const QByteArray oldBytes_ = Content('o', 3000);
};

TEST_F(AtomicFileWriteTest, ReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    const QByteArray shorter = Content('n', 10);
    EXPECT_TRUE(WriteFileAtomically(path_, shorter).ok());
    EXPECT_EQ(ReadBytes(path_), shorter);
    EXPECT_EQ(FilesIn(directory_.path()), QStringList{"drawing.dat"});
}

// A save killed part-way leaves its temporary beside the target; the next
// save into the folder removes those of earlier runs, and nothing else.
TEST_F(AtomicFileWriteTest, RemovesTheLeftoverTemporariesOfEarlierRuns) {
    const QDateTime now = QDateTime::currentDateTime();
    const std::tuple<const char*, int, bool> files[] = {
        {"drawing.dat.aB3xY9", -3600, true},   {"other.dat.Qw12Er", -3600, true},
        {"drawing.dat.aB3xY9x", -3600, false}, {"drawing.efs.aB3xY9", -3600, false},
        {"drawing.dat.a-3xY9", -3600, false},  {"drawing.dat.Zz9Zz9", 60, false}};
    for (const auto& [name, age, removed] : files) {
        QFile leftover(directory_.filePath(name));
        ASSERT_TRUE(leftover.open(QIODevice::WriteOnly) && leftover.write("half") &&
                    leftover.flush());
        ASSERT_TRUE(leftover.setFileTime(now.addSecs(age), QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(WriteFileAtomically(path_, Content('n', 10)).ok());
    for (const auto& [name, age, removed] : files)
        EXPECT_NE(QFile::exists(directory_.filePath(name)), removed) << name;
}

TEST_F(AtomicFileWriteTest, ALinkIsFollowedAndStaysALink) {
    const QString link = directory_.filePath("link.dat");
    ASSERT_TRUE(QFile::link(path_, link));
    const QByteArray fresh = Content('n', 100);
    EXPECT_TRUE(WriteFileAtomically(link, fresh).ok());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), path_);
    EXPECT_EQ(ReadBytes(path_), fresh);
}

struct PartwayCase {
    const char* name;
    qsizetype newSize;
    rlim_t limit;
};

void PrintTo(const PartwayCase& c, std::ostream* out) {
    *out << c.name;
}

class PartwayFailureTest : public AtomicFileWriteTest,
                           public testing::WithParamInterface<PartwayCase> {};

// The disk "fills up" once `limit` bytes are in the new file: a short write,
// then a failing one. The larger case goes past Qt's write buffer, where the
// old reason was only "Unknown error".
TEST_P(PartwayFailureTest, KeepsTheOldFileByteForByteAndNamesTheCause) {
    const QByteArray fresh = Content('n', GetParam().newSize);
    std::optional<FileWriteOutcome> written;
    {
        FileSizeLimit limit(GetParam().limit);
        ASSERT_TRUE(limit.active());
        written.emplace(WriteFileAtomically(path_, fresh));
    }
    ASSERT_FALSE(written->ok());
    EXPECT_EQ(written->reason().step, FileWriteStep::Write);
    EXPECT_EQ(written->reason().reason, SystemErrorText(EFBIG));
    EXPECT_EQ(ReadBytes(path_), oldBytes_);
    EXPECT_EQ(FilesIn(directory_.path()), QStringList{"drawing.dat"});
}

INSTANTIATE_TEST_SUITE_P(Sizes, PartwayFailureTest,
                         testing::Values(PartwayCase{"Small", 1694, 512},
                                         PartwayCase{"LargerThanQtsBuffer", 300000, 70000},
                                         PartwayCase{"NothingFits", 50, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    const char* relativeTarget;  // inside the test folder; "/dev/full" as it is
    const char* reason;
};

void PrintTo(const RefusedCase& c, std::ostream* out) {
    *out << c.name;
}

class RefusedTargetTest : public AtomicFileWriteTest,
                          public testing::WithParamInterface<RefusedCase> {};

// Targets that can never become the new file: nothing is created anywhere.
TEST_P(RefusedTargetTest, FailsAtCreateWithTheCause) {
    ASSERT_TRUE(QDir(directory_.path()).mkdir("folder"));
    ASSERT_TRUE(QFile::link("/dev/full", directory_.filePath("device-link")));
    const QString target = QString::fromUtf8(GetParam().relativeTarget).startsWith('/')
                               ? QString::fromUtf8(GetParam().relativeTarget)
                               : directory_.filePath(GetParam().relativeTarget);
    if (target.contains("dev") && !IsCharacterDevice("/dev/full")) GTEST_SKIP();

    const FileWriteOutcome written = WriteFileAtomically(target, "new");

    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.reason().step, FileWriteStep::Create);
    EXPECT_EQ(written.reason().reason, QString::fromUtf8(GetParam().reason));
    EXPECT_EQ(ReadBytes(path_), oldBytes_);
    EXPECT_EQ(FilesIn(directory_.path()), (QStringList{"device-link", "drawing.dat"}));
    EXPECT_TRUE(QFileInfo(directory_.filePath("folder")).isDir());
    if (QFileInfo::exists("/dev/full")) {
        EXPECT_TRUE(IsCharacterDevice("/dev/full"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, RefusedTargetTest,
    testing::Values(RefusedCase{"MissingFolder", "missing/new.dat", "文件或文件夹不存在"},
                    RefusedCase{"AFolder", "folder", "目标是一个文件夹"},
                    RefusedCase{"ADevice", "/dev/full", "目标不是普通文件"},
                    RefusedCase{"ALinkToADevice", "device-link", "目标不是普通文件"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SystemErrorTextTest, NamesTheCommonCausesInChineseAndOthersByNumber) {
    struct Case {
        int code;
        const char* text;
    };
    for (const Case& c :
         {Case{ENOSPC, "磁盘空间不足"}, Case{EACCES, "没有访问权限"}, Case{EROFS, "磁盘是只读的"},
          Case{EFBIG, "文件超过了系统允许的大小"}, Case{EDQUOT, "超出了磁盘配额"},
          Case{0, "系统错误，错误码 0"}, Case{123456, "系统错误，错误码 123456"}}) {
        EXPECT_EQ(SystemErrorText(c.code), QString::fromUtf8(c.text)) << c.code;
    }
}

}  // namespace

}  // namespace channel
