#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWindow>
#include <functional>

#include "files/ElementFile.h"
#include "table/ElementsLayout.h"
#include "tests/app/MainWindowFixture.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

class HistoryAndShortcutsTest : public MainWindowTest {
  public:
    // What the title bar shows, with Qt's modified mark resolved.
    QString Caption() { return window.windowHandle()->title(); }
    void Keys(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QWidget* target =
            QApplication::focusWidget() ? QApplication::focusWidget() : &window.TableView();
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }
    QAction* EditItem(const char* name) {
        return window.EditMenu()->findChild<QAction*>(QString::fromUtf8(name));
    }
    // Row 6 fully typed but for its bottom width, in the depth-known mode.
    void PrepareDepthKnownRow() {
        QTest::mouseClick(Child<QRadioButton>("单选框1"), Qt::LeftButton);
        FillRow(6, {nullptr, "1.5", "1", "0.025", "0.0005"});
    }
    // Makes `path` the current file: the table is written there and opened.
    void UseFile(const QString& path) {
        ASSERT_TRUE(SaveToFile(window.Table(), path).ok());
        doubles.dialogs->openAnswers.push_back(path);
        window.OpenTable();
        ASSERT_EQ(window.Doc().CurrentFileName(), path);
    }
    QTemporaryDir dir;
};

TEST_F(HistoryAndShortcutsTest, FileShortcutsWorkWhileTheTableHasTheFocus) {
    struct Case {
        const char* keys;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* currentFile;  // empty: none, so 保存 asks for a name
        std::function<bool(HistoryAndShortcutsTest&)> happened;
    };
    const Case cases[] = {
        {"Ctrl+O", Qt::Key_O, Qt::ControlModifier, "",
         [](auto& t) { return t.doubles.dialogs->openAsked == 1; }},
        {"Ctrl+S", Qt::Key_S, Qt::ControlModifier, "",
         [](auto& t) { return t.doubles.dialogs->saveAsked == 1; }},
        {"Ctrl+Shift+S", Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, "a.efs",
         [](auto& t) { return t.doubles.dialogs->saveAsked == 2; }},
        {"Ctrl+P", Qt::Key_P, Qt::ControlModifier, "",
         [](auto& t) { return t.doubles.print->printAsked == 1; }},
        {"Ctrl+N", Qt::Key_N, Qt::ControlModifier, "a.efs",
         [](auto& t) { return t.window.Doc().CurrentFileName().isEmpty(); }},
        {"Ctrl+Q", Qt::Key_Q, Qt::ControlModifier, "",
         [](auto& t) { return !t.window.isVisible(); }},
    };
    // Each dialog is dismissed; the table is unchanged, so nothing asks to save.
    doubles.dialogs->openAnswers = {std::nullopt};
    doubles.dialogs->saveAnswers = {std::nullopt, std::nullopt};
    doubles.print->confirmAnswers = {false};
    ClickCell(2, kBottomWidthColumn);
    for (const Case& c : cases) {
        if (*c.currentFile) UseFile(dir.filePath(c.currentFile));
        ASSERT_EQ(QApplication::focusWidget(), &window.TableView()) << c.keys;
        EXPECT_FALSE(c.happened(*this)) << c.keys;
        QTest::keyClick(&window.TableView(), Qt::Key(c.key), c.modifiers);
        EXPECT_TRUE(c.happened(*this)) << c.keys;
    }
}

TEST_F(HistoryAndShortcutsTest, SaveShortcutCommitsTheCellBeingTyped) {
    const QString path = dir.filePath("typed.efs");
    UseFile(path);
    ClickCell(2, kBottomWidthColumn);
    TypeIntoTable("73");
    Keys(Qt::Key_S);
    ElementsTable saved(kRows, kColumns, kFixedRows, kFixedColumns);
    ASSERT_TRUE(LoadFromFile(saved, path).ok());
    EXPECT_EQ(saved.GetCellText(2, kBottomWidthColumn), "73");
    EXPECT_FALSE(window.Doc().Modified());
}

// Each user command is undone and redone whole, by key and by menu item.
TEST_F(HistoryAndShortcutsTest, UndoAndRedoEachUserCommandWithoutCalculating) {
    struct Case {
        const char* command;
        int column;  // clicked first
        std::function<void(HistoryAndShortcutsTest&)> run;
    };
    const Case cases[] = {
        {"edit with its calculation", kBottomWidthColumn,
         [](auto& t) {
             t.TypeIntoTable("2");
             t.FinishEditWithEnter();
             EXPECT_EQ(t.window.Table().DisplayText(6, kDischargeColumn), "2.29")
                 << "the edit calculated the row";
         }},
        {"paste", kBottomWidthColumn,
         [](auto& t) {
             t.doubles.clipboard->text = "2\t1.5\n";
             t.Keys(Qt::Key_V);
         }},
        {"clear", kBottomWidthColumn,
         [](auto& t) {
             const ElementsTable& table = t.window.Table();
             t.window.TableView().selectionModel()->select(
                 QItemSelection(table.index(6, kSideSlopeColumn), table.index(6, kRoughnessColumn)),
                 QItemSelectionModel::ClearAndSelect);
             t.Keys(Qt::Key_Delete, Qt::NoModifier);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        PrepareDepthKnownRow();
        doubles.messages->answers = {SaveChangesAnswer::No};
        window.NewTable();  // a loaded table starts a new history
        EXPECT_FALSE(EditItem("撤销")->isEnabled());
        PrepareDepthKnownRow();
        ClickCell(6, c.column);
        const ElementsTable::Snapshot before = window.Table().TakeSnapshot();
        c.run(*this);
        const ElementsTable::Snapshot after = window.Table().TakeSnapshot();
        ASSERT_NE(after, before);
        EXPECT_TRUE(window.Doc().Modified());
        EXPECT_TRUE(EditItem("撤销")->isEnabled());

        int finished = 0;
        auto counter = QObject::connect(&window.TableView(), &TableControl::cellEditFinished,
                                        [&] { ++finished; });
        const QString status = window.StatusText();
        Keys(Qt::Key_Z);
        EXPECT_EQ(window.Table().TakeSnapshot(), before);
        EXPECT_FALSE(window.Doc().Modified()) << "back where the loaded table was";
        EXPECT_TRUE(EditItem("重做")->isEnabled());
        Keys(Qt::Key_Y);
        EXPECT_EQ(window.Table().TakeSnapshot(), after);
        EXPECT_TRUE(window.Doc().Modified());
        EditItem("撤销")->trigger();
        EXPECT_EQ(window.Table().TakeSnapshot(), before);
        Keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(window.Table().TakeSnapshot(), after);
        EXPECT_EQ(finished, 0) << "undo and redo raise no calculation";
        EXPECT_EQ(window.StatusText(), status);
        QObject::disconnect(counter);
    }
}

TEST_F(HistoryAndShortcutsTest, UndoKeepsTheRowMarkerWithTheCurrentRow) {
    FillInputs(3, {kSideSlopeColumn, kRoughnessColumn, kBedSlopeColumn});
    ClickCell(3, kBottomWidthColumn);
    TypeIntoTable("2");
    FinishEditWithEnter();
    ClickCell(5, kBottomWidthColumn);
    Keys(Qt::Key_Z);
    EXPECT_EQ(window.Table().GetCellText(3, kBottomWidthColumn), "");
    EXPECT_EQ(window.Table().GetCellText(3, kItemColumn), "3");
    EXPECT_EQ(window.Table().GetCellText(5, kItemColumn), "5  >>>");
}

// Undo puts back the row's design discharge with the cells, so the next
// calculation aims at the discharge the user had typed before.
TEST_F(HistoryAndShortcutsTest, UndoOfATypedDischargeBringsBackTheOldDesignDischarge) {
    FillRow(4, {"2", "1.5", "", "0.025", "0.0005"});
    window.Table().SetCellText(4, kDischargeColumn, "2");
    ClickCell(4, kDischargeColumn);
    TypeIntoTable("3");
    FinishEditWithEnter();
    ASSERT_EQ(window.Table().KeptEntry(4), "3");
    Keys(Qt::Key_Z);
    EXPECT_EQ(window.Table().KeptEntry(4), "2");
    EXPECT_EQ(window.Table().GetCellText(4, kDischargeColumn), "2");
    Keys(Qt::Key_Y);
    EXPECT_EQ(window.Table().KeptEntry(4), "3");
    EXPECT_NE(window.Table().GetCellText(4, kDischargeColumn), "3")
        << "the computed discharge is back";
}

// The results a click on 单选框1 writes are one undo step of their own.
TEST_F(HistoryAndShortcutsTest, TheDepthKnownButtonsCalculationIsUndoneAsOneStep) {
    FillRow(7, {"2", "1.5", "1", "0.025", "0.0005"});
    ClickCell(7, kDepthColumn);
    QTest::mouseClick(Child<QRadioButton>("单选框1"), Qt::LeftButton);
    ASSERT_EQ(window.Table().DisplayText(7, kDischargeColumn), "2.29");
    Keys(Qt::Key_Z);
    EXPECT_EQ(window.Table().GetCellText(7, kDischargeColumn), "");
    EXPECT_EQ(window.Table().GetCellText(7, kDepthColumn), "1") << "the typed depth stays";
    Keys(Qt::Key_Y);
    EXPECT_EQ(window.Table().DisplayText(7, kDischargeColumn), "2.29");
}

TEST_F(HistoryAndShortcutsTest, UndoMarksTheTableChangedUnlessItReturnsToTheSavedOne) {
    const QString path = dir.filePath("渠道.efs");
    ClickCell(2, kBottomWidthColumn);
    TypeIntoTable("1");
    FinishEditWithEnter();
    doubles.dialogs->saveAnswers = {path};
    window.SaveTable();
    EXPECT_FALSE(window.Doc().Modified());

    Keys(Qt::Key_Z);
    EXPECT_TRUE(window.Doc().Modified()) << "the table no longer matches the file";
    Keys(Qt::Key_Y);
    EXPECT_FALSE(window.Doc().Modified()) << "redone to what was saved";

    doubles.dialogs->saveAnswers = {std::nullopt};
    window.SaveTableAs();  // dismissed: changes nothing
    Keys(Qt::Key_Z);
    EXPECT_TRUE(window.Doc().Modified());
    Keys(Qt::Key_Y);
    EXPECT_FALSE(window.Doc().Modified()) << "the saved point is where 保存 left it";

    ClickCell(3, kBottomWidthColumn);
    TypeIntoTable("2");
    FinishEditWithEnter();
    doubles.dialogs->saveAnswers = {dir.filePath("副本.efs")};
    window.SaveTableAs();
    EXPECT_FALSE(window.Doc().Modified()) << "written like 保存";
    Keys(Qt::Key_Z);
    EXPECT_TRUE(window.Doc().Modified());
    Keys(Qt::Key_Y);
    EXPECT_FALSE(window.Doc().Modified()) << "back to what 另存为 wrote";

    doubles.dialogs->openAnswers = {path};
    window.OpenTable();
    EXPECT_FALSE(EditItem("撤销")->isEnabled()) << "an opened file starts a new history";
    Keys(Qt::Key_Z);
    EXPECT_EQ(window.Table().GetCellText(2, kBottomWidthColumn), "1");
}

// Only a written file moves the saved point of the history.
TEST_F(HistoryAndShortcutsTest, AFailedSaveLeavesTheMarkAndTheSavedPointAlone) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("gone"));
    ClickCell(2, kBottomWidthColumn);
    TypeIntoTable("1");
    FinishEditWithEnter();
    doubles.dialogs->saveAnswers = {dir.filePath("gone/渠道.efs")};
    window.SaveTable();
    ClickCell(3, kBottomWidthColumn);
    TypeIntoTable("2");
    FinishEditWithEnter();

    ASSERT_TRUE(QDir(dir.filePath("gone")).removeRecursively());
    window.SaveTable();
    EXPECT_EQ(doubles.messages->errors.size(), 1u);
    EXPECT_TRUE(window.Doc().Modified());
    Keys(Qt::Key_Z);
    EXPECT_FALSE(window.Doc().Modified()) << "back to what the written file holds";
    Keys(Qt::Key_Y);
    EXPECT_TRUE(window.Doc().Modified());
}

TEST_F(HistoryAndShortcutsTest, UndoInsideAnOpenEditorUndoesTheTyping) {
    window.Table().SetCellText(2, kBottomWidthColumn, "4");
    ClickCell(2, kBottomWidthColumn);
    TypeIntoTable("5");
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, &window.TableView());
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    FinishEditWithEnter();
    EXPECT_EQ(window.Table().GetCellText(2, kBottomWidthColumn), "4") << "the editor's own undo";
    EXPECT_FALSE(EditItem("撤销")->isEnabled()) << "nothing changed, nothing recorded";
}

TEST_F(HistoryAndShortcutsTest, CaptionNamesTheFileAndMarksUnsavedChanges) {
    const QString path = dir.filePath("渠道.efs");
    EXPECT_EQ(Caption(), "梯形渠道水利计算");
    ClickCell(2, kBottomWidthColumn);
    TypeIntoTable("1");
    EXPECT_EQ(Caption(), "梯形渠道水利计算*") << "the first keystroke marks it";
    FinishEditWithEnter();

    doubles.dialogs->saveAnswers = {path};
    window.SaveTableAs();
    EXPECT_EQ(Caption(), "梯形渠道水利计算 - 渠道.efs") << "另存为 clears the mark like 保存";
    Keys(Qt::Key_Z);
    EXPECT_EQ(Caption(), "梯形渠道水利计算 - 渠道.efs*");
    window.Table().SetSelection(2, kBottomWidthColumn, 2, kBottomWidthColumn);
    doubles.clipboard->text = "8\n";
    window.PasteCells();
    EXPECT_EQ(Caption(), "梯形渠道水利计算 - 渠道.efs*");

    doubles.messages->answers = {SaveChangesAnswer::No};
    window.NewTable();
    EXPECT_EQ(Caption(), "梯形渠道水利计算");
    doubles.dialogs->openAnswers = {path};
    Keys(Qt::Key_O);
    EXPECT_EQ(Caption(), "梯形渠道水利计算 - 渠道.efs");
}

}  // namespace

}  // namespace channel
