#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "files/ElementFile.h"
#include "files/FileCommands.h"

namespace channel {

using namespace files_test;

namespace {

class FileCommandsTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        Fill(h_.table, TaggedCells("typed"));
    }
    void TearDown() override {
        QDir::setCurrent(savedCurrentDir_);
        h_.ExpectScriptsUsed();
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }
    // A file holding a table different from the one on screen.
    QString WriteElementFile(const QString& name, const QString& tag) {
        ElementsTable other(kRows, kColumns, 1, 1);
        Fill(other, TaggedCells(tag));
        EXPECT_TRUE(SaveToFile(other, Path(name)).ok());
        return Path(name);
    }
    QStringList CellsIn(const QString& path) {
        ElementsTable loaded(kRows, kColumns, 1, 1);
        EXPECT_TRUE(LoadFromFile(loaded, path).ok()) << path.toStdString();
        return loaded.Cells();
    }

    QTemporaryDir dir_;
    QString savedCurrentDir_ = QDir::currentPath();
    CommandHarness h_;
};

// --- 退出 and the close request ------------------------------------------

TEST_F(FileCommandsTest, ExitWithNothingTypedClosesWithoutAsking) {
    ExitProgram(h_.context);
    EXPECT_EQ(h_.messages.asked, 0);
    EXPECT_EQ(h_.closes, 1);
}

TEST_F(FileCommandsTest, CancelKeepsTheProgramRunningAndTheFlagSet) {
    h_.document.modified = 1;
    h_.messages.answers = {SaveChangesAnswer::Cancel};
    ExitProgram(h_.context);
    EXPECT_EQ(h_.closes, 0);
    EXPECT_EQ(h_.document.modified, 1);
    EXPECT_EQ(h_.table.Cells(), TaggedCells("typed"));
}

TEST_F(FileCommandsTest, NoClosesWithoutWriting) {
    h_.document.modified = 1;
    h_.messages.answers = {SaveChangesAnswer::No};
    ExitProgram(h_.context);
    EXPECT_EQ(h_.closes, 1);
    EXPECT_EQ(h_.dialogs.saveAsked, 0);
    EXPECT_TRUE(QDir(dir_.path()).isEmpty());
}

TEST_F(FileCommandsTest, YesAsksForANameEvenWithACurrentFileThenCloses) {
    h_.document.modified = 1;
    h_.document.currentFileName = Path("current.efs");
    h_.messages.answers = {SaveChangesAnswer::Yes};
    h_.dialogs.saveAnswers = {Path("chosen.efs")};
    ExitProgram(h_.context);
    EXPECT_EQ(h_.closes, 1);
    EXPECT_EQ(CellsIn(Path("chosen.efs")), TaggedCells("typed"));
    EXPECT_FALSE(QFileInfo::exists(Path("current.efs")));
    EXPECT_EQ(h_.document.currentFileName, Path("chosen.efs"));
}

// After Yes, anything short of a written file keeps the window open.
TEST_F(FileCommandsTest, YesWithoutAWrittenFileStopsTheExit) {
    const std::optional<QString> unwritten[] = {std::nullopt, QString(),
                                                Path("missing/chosen.efs")};
    for (const auto& answer : unwritten) {
        SCOPED_TRACE(answer.value_or("<dismissed>").toStdString());
        h_.document.modified = 1;
        h_.document.currentFileName = Path("current.efs");
        h_.messages.answers = {SaveChangesAnswer::Yes};
        h_.dialogs.saveAnswers = {answer};
        ExitProgram(h_.context);
        EXPECT_EQ(h_.closes, 0);
        EXPECT_EQ(h_.document.modified, 1);
        EXPECT_EQ(h_.document.currentFileName, Path("current.efs"));
    }
    ASSERT_EQ(h_.messages.errors.size(), 1u);  // only the failed write is reported
    EXPECT_EQ(h_.messages.errors[0].path, Path("missing/chosen.efs"));
    EXPECT_FALSE(h_.messages.errors[0].reason.isEmpty());
}

TEST_F(FileCommandsTest, CloseQueryStopsOnlyOnCancel) {
    EXPECT_FALSE(CheckUnsavedChanges(h_.context));  // nothing typed: no question
    h_.document.modified = 1;
    h_.messages.answers = {SaveChangesAnswer::Cancel, SaveChangesAnswer::No};
    EXPECT_TRUE(CheckUnsavedChanges(h_.context));
    EXPECT_FALSE(CheckUnsavedChanges(h_.context));
    EXPECT_EQ(h_.messages.asked, 2);
}

// --- 保存 and 另存为 -------------------------------------------------------

TEST_F(FileCommandsTest, SaveWithACurrentFileWritesWithoutDialogAndClearsTheFlag) {
    h_.document.currentFileName = WriteElementFile("current.efs", "before");
    h_.document.modified = 1;
    SaveTable(h_.context);
    EXPECT_EQ(CellsIn(Path("current.efs")), TaggedCells("typed"));
    EXPECT_EQ(h_.document.modified, 0);
    EXPECT_EQ(h_.dialogs.saveAsked, 0);
}

TEST_F(FileCommandsTest, SaveWithoutANameAndDismissedChangesNothing) {
    h_.document.modified = 1;
    h_.dialogs.saveAnswers = {std::nullopt};
    SaveTable(h_.context);
    EXPECT_TRUE(QDir(dir_.path()).isEmpty());
    EXPECT_TRUE(h_.document.currentFileName.isEmpty());
    EXPECT_EQ(h_.document.modified, 1);
}

TEST_F(FileCommandsTest, SaveWithoutANameAdoptsTheChosenOne) {
    h_.document.modified = 1;
    h_.dialogs.saveAnswers = {Path("chosen.efs")};
    SaveTable(h_.context);
    EXPECT_EQ(h_.document.currentFileName, Path("chosen.efs"));
    EXPECT_EQ(h_.document.modified, 0);

    Fill(h_.table, TaggedCells("later"));
    SaveTable(h_.context);  // no dialog scripted: must not ask again
    EXPECT_EQ(CellsIn(Path("chosen.efs")), TaggedCells("later"));
}

TEST_F(FileCommandsTest, SaveAsClearsTheFlagOnlyWhenWritten) {
    h_.document.currentFileName = Path("old.efs");
    h_.document.modified = 1;
    h_.dialogs.saveAnswers = {std::nullopt};
    EXPECT_FALSE(SaveTableAs(h_.context));
    EXPECT_EQ(h_.document.currentFileName, Path("old.efs"));
    EXPECT_EQ(h_.document.modified, 1) << "dismissed: nothing changes";

    h_.dialogs.saveAnswers = {Path("new.efs")};
    EXPECT_TRUE(SaveTableAs(h_.context));
    EXPECT_EQ(CellsIn(Path("new.efs")), TaggedCells("typed"));
    EXPECT_EQ(h_.document.currentFileName, Path("new.efs"));
    EXPECT_EQ(h_.document.modified, 0);
    ExitProgram(h_.context);  // everything saved: no question
    EXPECT_EQ(h_.closes, 1);

    h_.document.modified = 1;
    Fill(h_.table, TaggedCells("later"));
    SaveTable(h_.context);  // writes to the new name without a dialog
    EXPECT_EQ(CellsIn(Path("new.efs")), TaggedCells("later"));
    EXPECT_FALSE(QFileInfo::exists(Path("old.efs")));
    ExitProgram(h_.context);  // saved: no question
    EXPECT_EQ(h_.closes, 2);
}

TEST_F(FileCommandsTest, FailedSaveToTheCurrentFileKeepsTheFlagAndName) {
    h_.document.currentFileName = Path("gone/current.efs");
    h_.document.modified = 1;
    SaveTable(h_.context);
    ASSERT_EQ(h_.messages.errors.size(), 1u);
    EXPECT_EQ(h_.messages.errors[0].path, Path("gone/current.efs"));
    EXPECT_EQ(h_.document.modified, 1);
    EXPECT_EQ(h_.document.currentFileName, Path("gone/current.efs"));
}

// 保存 says whether it wrote the file, whatever the flag was: the window marks
// its undo history saved on that answer alone.
TEST_F(FileCommandsTest, SaveReportsWhetherItWroteAndOnlyAWriteClearsTheFlag) {
    enum class Way { kCurrentFile, kChosenName, kDismissed, kUnwritable };
    struct Case {
        const char* name;
        Way way;
        bool written;
    } const cases[] = {
        {"to the current file", Way::kCurrentFile, true},
        {"to a chosen name", Way::kChosenName, true},
        {"dialog dismissed", Way::kDismissed, false},
        {"current file cannot be written", Way::kUnwritable, false},
    };
    for (const Case& c : cases) {
        for (int modifiedBefore : {0, 1}) {
            SCOPED_TRACE(testing::Message() << c.name << ", modified " << modifiedBefore);
            h_.document.currentFileName.clear();
            if (c.way == Way::kCurrentFile) h_.document.currentFileName = Path("current.efs");
            if (c.way == Way::kUnwritable) h_.document.currentFileName = Path("gone/current.efs");
            if (c.way == Way::kChosenName) h_.dialogs.saveAnswers = {Path("chosen.efs")};
            if (c.way == Way::kDismissed) h_.dialogs.saveAnswers = {std::nullopt};
            h_.document.modified = modifiedBefore;
            h_.messages.errors.clear();

            EXPECT_EQ(SaveTable(h_.context), c.written);
            EXPECT_EQ(h_.document.modified, c.written ? 0 : modifiedBefore);
            EXPECT_EQ(h_.messages.errors.size(), c.way == Way::kUnwritable ? 1u : 0u);
            EXPECT_TRUE(h_.dialogs.saveAnswers.empty());
        }
    }
}

// --- 打开 -----------------------------------------------------------------

TEST_F(FileCommandsTest, OpenLoadsTheFileAndAdoptsItsName) {
    const QString file = WriteElementFile("file.efs", "file");
    h_.dialogs.openAnswers = {file};
    OpenTable(h_.context);
    EXPECT_EQ(h_.table.Cells(), TaggedCells("file"));
    EXPECT_EQ(h_.document.currentFileName, file);
    EXPECT_EQ(h_.document.modified, 0);
    EXPECT_EQ(h_.messages.asked, 0);

    Fill(h_.table, TaggedCells("edited"));
    SaveTable(h_.context);  // 保存 after 打开 writes to that file without asking
    EXPECT_EQ(CellsIn(file), TaggedCells("edited"));
}

TEST_F(FileCommandsTest, OpenDismissedChangesNothing) {
    h_.document.currentFileName = Path("current.efs");
    h_.document.modified = 1;
    h_.messages.answers = {SaveChangesAnswer::No};
    h_.dialogs.openAnswers = {std::nullopt};
    OpenTable(h_.context);
    EXPECT_EQ(h_.table.Cells(), TaggedCells("typed"));
    EXPECT_EQ(h_.document.currentFileName, Path("current.efs"));
    EXPECT_EQ(h_.document.modified, 1);
}

TEST_F(FileCommandsTest, OpenAfterTypingAsksFirst) {
    const QString file = WriteElementFile("file.efs", "file");
    h_.document.modified = 1;

    h_.messages.answers = {SaveChangesAnswer::Cancel};
    OpenTable(h_.context);  // no open dialog scripted: Cancel must stop before it
    EXPECT_EQ(h_.table.Cells(), TaggedCells("typed"));
    EXPECT_EQ(h_.document.modified, 1);

    h_.messages.answers = {SaveChangesAnswer::Yes};
    h_.dialogs.saveAnswers = {std::nullopt};
    OpenTable(h_.context);  // the save was dismissed: still nothing opened
    EXPECT_EQ(h_.table.Cells(), TaggedCells("typed"));

    h_.messages.answers = {SaveChangesAnswer::Yes};
    h_.dialogs.saveAnswers = {Path("saved.efs")};
    h_.dialogs.openAnswers = {file};
    OpenTable(h_.context);
    EXPECT_EQ(CellsIn(Path("saved.efs")), TaggedCells("typed"));
    EXPECT_EQ(h_.table.Cells(), TaggedCells("file"));
    EXPECT_EQ(h_.document.currentFileName, file);
    EXPECT_EQ(h_.document.modified, 0);
}

TEST_F(FileCommandsTest, OpenOfABadFileReportsItAndKeepsEverything) {
    const QString bad = Path("bad.efs");
    ASSERT_TRUE(WriteBytes(bad, "{\"format\":\"hydraulic-elements-table\",\"version\":1,"));
    h_.document.currentFileName = Path("current.efs");
    h_.document.modified = 1;
    h_.messages.answers = {SaveChangesAnswer::No};
    h_.dialogs.openAnswers = {bad};
    OpenTable(h_.context);
    ASSERT_EQ(h_.messages.errors.size(), 1u);
    EXPECT_EQ(h_.messages.errors[0].path, bad);
    EXPECT_FALSE(h_.messages.errors[0].reason.isEmpty());
    EXPECT_EQ(h_.table.Cells(), TaggedCells("typed"));
    EXPECT_EQ(h_.document.currentFileName, Path("current.efs"));
    EXPECT_EQ(h_.document.modified, 1);
}

// --- 新建 -----------------------------------------------------------------

TEST_F(FileCommandsTest, NewLoadsTheTemplateAndForgetsTheName) {
    WriteElementFile("normal", "template");
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    h_.document.currentFileName = Path("current.efs");
    NewTable(h_.context);
    EXPECT_EQ(h_.table.Cells(), TaggedCells("template"));
    EXPECT_EQ(h_.resets, 0);
    EXPECT_TRUE(h_.document.currentFileName.isEmpty());
    EXPECT_EQ(h_.document.modified, 0);

    h_.dialogs.saveAnswers = {std::nullopt};
    SaveTable(h_.context);  // the next 保存 asks for a name
    EXPECT_EQ(h_.dialogs.saveAsked, 1);
    EXPECT_FALSE(QFileInfo::exists(Path("current.efs")));
}

TEST_F(FileCommandsTest, NewWithoutTemplateGivesTheStartupTableSilently) {
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    NewTable(h_.context);
    EXPECT_EQ(h_.table.Cells(), StartupCells());
    EXPECT_EQ(h_.resets, 1);
    EXPECT_TRUE(h_.messages.errors.empty());
}

TEST_F(FileCommandsTest, NewWithABrokenTemplateSaysSoAndGivesTheStartupTable) {
    ASSERT_TRUE(WriteBytes(Path("normal"), "not an element file"));
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    NewTable(h_.context);
    ASSERT_EQ(h_.messages.errors.size(), 1u);
    EXPECT_TRUE(h_.messages.errors[0].path.endsWith("normal"));
    EXPECT_EQ(h_.table.Cells(), StartupCells());
}

TEST_F(FileCommandsTest, NewAfterTypingAsksAndCancelKeepsEverything) {
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    h_.document.currentFileName = Path("current.efs");
    h_.document.modified = 1;
    h_.messages.answers = {SaveChangesAnswer::Cancel};
    NewTable(h_.context);
    EXPECT_EQ(h_.table.Cells(), TaggedCells("typed"));
    EXPECT_EQ(h_.document.currentFileName, Path("current.efs"));
    EXPECT_EQ(h_.document.modified, 1);
    EXPECT_EQ(h_.resets, 0);
}

}  // namespace

}  // namespace channel
