#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <initializer_list>
#include <vector>

#include "app/core/ProgramState.h"
#include "app/widgets/AboutWindow.h"
#include "app/widgets/InstructionsWindow.h"
#include "app/widgets/MainWindow.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"
#include "table/widgets/TableControl.h"
#include "tests/app/ShellDoubles.h"

namespace channel {

// Writes `texts` into the row's value columns in order, from the bottom
// width on; a null text leaves its cell alone.
inline void FillRow(MainWindow& window, int row, std::initializer_list<const char*> texts) {
    int column = elements_table::kBottomWidthColumn;
    for (const char* text : texts) {
        if (text != nullptr) window.Table().SetCellText(row, column, text);
        ++column;
    }
}

// Sets a row's cells as a loaded file would, makes the row current and
// calculates it in the discharge-known mode.
inline void FillAndCalculate(MainWindow& window, int row,
                             std::initializer_list<const char*> cells) {
    FillRow(window, row, cells);
    window.Table().SetCurrentCell(row, elements_table::kBottomWidthColumn);
    window.Doc().CalculateCurrentRow();
}

// A shown main window wired to doubles, with helpers that click and type on
// the real widgets.
class MainWindowTest : public ::testing::Test {
  public:
    MainWindowTest() : state(InitGlobals()), window(state, doubles.Make()) {
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        // The tray icon and the tune follow the first frame.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return window.findChild<QSystemTrayIcon*>("托盘图标") != nullptr; }));
    }
    ~MainWindowTest() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &window &&
                (qobject_cast<AboutWindow*>(w) || qobject_cast<InstructionsWindow*>(w)))
                w->close();
        ReleaseGlobals();
    }

    template <typename T>
    T* Child(const char* name) {
        T* child = window.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QPoint CellCentre(int row, int column) {
        return window.TableView().visualRect(window.Table().index(row, column)).center();
    }
    void ClickCell(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(window.TableView().viewport(), button, {}, CellCentre(row, column));
    }
    // Types as a user does: the first key opens the cell's editor, the rest
    // go to whichever widget has the focus then.
    void TypeIntoTable(const QString& text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            QWidget* target = i == 0 ? &window.TableView() : QApplication::focusWidget();
            ASSERT_NE(target, nullptr);
            const QChar c = text[i];
            const int key = c.unicode() < 128 ? c.toUpper().unicode() : 0;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
    }
    // Writes "1" into each of the row's `columns`.
    void FillInputs(int row, std::initializer_list<int> columns) {
        for (int column : columns) window.Table().SetCellText(row, column, "1");
    }
    void FillRow(int row, std::initializer_list<const char*> texts) {
        channel::FillRow(window, row, texts);
    }
    static void FinishEditWithEnter() {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();  // the commit on Enter is queued
    }
    // Saves the table into a file of the test's own, so it counts as unchanged.
    void SaveToTestFile() {
        if (window.Doc().CurrentFileName().isEmpty())
            doubles.dialogs->saveAnswers.push_back(savedFiles.filePath("saved.efs"));
        window.SaveTable();
        ASSERT_FALSE(window.Doc().Modified());
    }
    static std::vector<AboutWindow*> OpenAboutWindows() {
        std::vector<AboutWindow*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* about = qobject_cast<AboutWindow*>(w); about && about->isVisible())
                found.push_back(about);
        return found;
    }

    DoubledSeams doubles;
    QTemporaryDir savedFiles;
    ProgramState& state;
    MainWindow window;
};

}  // namespace channel
