#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "io/CompanionFiles.h"

namespace channel {

namespace {

// The working folder comes first; the installed folder stands in for a file
// missing there; with neither, the bare name stays (a missing file).
TEST(CompanionFilesTest, TheWorkingFolderFirstThenTheInstalledOne) {
    struct Case {
        const char* name;
        bool inWorkingFolder;
        bool installed;
        bool found;  // where: the working folder wins
    } const cases[] = {
        {"both", true, true, true},
        {"working folder only", true, false, true},
        {"installed only", false, true, true},
        {"neither", false, false, false},
    };
    const QString savedCurrent = QDir::currentPath();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir working;
        QTemporaryDir data;
        ASSERT_TRUE(QDir::setCurrent(working.path()));
        const QString bare = QStringLiteral("说明.txt");
        if (c.inWorkingFolder) {
            ASSERT_TRUE(QFile(bare).open(QIODevice::WriteOnly));
        }
        if (c.installed) {
            ASSERT_TRUE(QFile(QDir(data.path()).filePath(bare)).open(QIODevice::WriteOnly));
        }

        const QString found = CompanionFile(bare, data.path());
        const bool fromData = c.installed && !c.inWorkingFolder;
        EXPECT_EQ(found, fromData ? QDir(data.path()).filePath(bare) : bare);
        EXPECT_EQ(QFile::exists(found), c.found);
        EXPECT_EQ(CompanionFile(bare, QString()), bare) << "no installed folder: the bare name";
        ASSERT_TRUE(QDir::setCurrent(savedCurrent));
    }
}

}  // namespace

}  // namespace channel
