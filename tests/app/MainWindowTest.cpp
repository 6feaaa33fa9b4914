#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/widgets/SectionDetailsWindow.h"
#include "table/ElementsLayout.h"
#include "tests/app/MainWindowFixture.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

TEST_F(MainWindowTest, StartsWithTheDesignedControlsAndTexts) {
    EXPECT_EQ(window.windowHandle()->title(), "梯形渠道水利计算");
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
    struct Control {
        const char* name = nullptr;
        const char* text = nullptr;
        QRect geometry;
    };
    const Control controls[] = {
        {"按钮1", "表格转入cad", {0, 277, 104, 32}},
        {"按钮3", "说明", {106, 276, 80, 32}},
        {"单选框1", "已知水深求流量", {190, 280, 104, 24}},
        {"单选框2", "已知流量求水深", {304, 280, 104, 24}},
    };
    for (const Control& c : controls) {
        auto* button = Child<QAbstractButton>(c.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(button->geometry(), c.geometry) << c.name;
    }
    EXPECT_FALSE(Child<QRadioButton>("单选框1")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>("单选框2")->isChecked());
    auto* status = Child<QLineEdit>("编辑框1");
    EXPECT_EQ(status->text(), "欢迎使用本程序！请输入数据！");
    EXPECT_EQ(status->geometry(), QRect(448, 281, 248, 24));
    EXPECT_EQ(Child<TableControl>("表格1")->geometry(), QRect(-1, 3, 705, 272));
    EXPECT_EQ(window.TableView().rowHeight(4), 24);
    EXPECT_EQ(window.TableView().columnWidth(kWettedPerimeterColumn), 58);
    EXPECT_EQ(window.Doc().MarkedRow(), 0);
    EXPECT_FALSE(window.Doc().Modified());
    for (int r = kFirstSectionRow; r <= kLastSectionRow; ++r)
        EXPECT_EQ(window.Table().GetCellText(r, kItemColumn), QString::number(r));
    auto* tray = window.findChild<QSystemTrayIcon*>("托盘图标");
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->toolTip(), "水利计算，欢迎使用！");
    EXPECT_FALSE(tray->icon().availableSizes().isEmpty()) << "falls back to the embedded icon";
}

TEST_F(MainWindowTest, MenuBarHoldsEveryItemInOrder) {
    const std::vector<std::pair<QString, QStringList>> expected = {
        {"文件(&F)",
         {"新建", "打开", "保存", "另存为", "打印预览", "打印", "计算书信息", "导出计算书",
          "打印计算书", "退出"}},
        {"编辑(&E)", {"复制", "粘贴", "清除", "撤销", "重做"}},
        {"计算(&C)", {"已知水深求流量", "已知流量求水深"}},
        {"音乐(&M)", {"关闭音乐", "开启音乐"}},
        {"工具(&T)", {"断面详情", "全部重算", "断面图转入cad", "表格转入cad", "断面设计"}},
        {"关于(&A)", {"关于本程序"}},
    };
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 6);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(menus[int(i)]->text(), expected[i].first);
        QStringList items;
        for (QAction* a : menus[int(i)]->menu()->actions()) items << a->text();
        EXPECT_EQ(items, expected[i].second);
    }
}

TEST_F(MainWindowTest, ClickingACellMovesTheMarkerAndPrompts) {
    ClickCell(3, kBottomWidthColumn);
    EXPECT_EQ(window.Table().GetCellText(3, kItemColumn), "3  >>>");
    EXPECT_EQ(window.StatusText(), "请输入底宽数据!");
    EXPECT_EQ(window.Table().CurrentColumn(), kBottomWidthColumn);
    EXPECT_EQ(window.TableView().currentIndex(), window.Table().index(3, kBottomWidthColumn));

    window.Table().SetCellText(4, kBottomWidthColumn, "2");
    window.Table().SetCellText(4, kSideSlopeColumn, "1.5");
    ClickCell(4, kDepthColumn);
    EXPECT_EQ(window.StatusText(), "请输入糙率数据！");
    EXPECT_EQ(window.TableView().currentIndex(), window.Table().index(4, kRoughnessColumn))
        << "the view follows the prompt";
    EXPECT_EQ(window.Table().GetCellText(3, kItemColumn), "3");
}

TEST_F(MainWindowTest, AnEditFinishesOnItsOwnRowBeforeTheClickMovesOn) {
    ElementsTable& table = window.Table();
    FillInputs(3, {kBottomWidthColumn, kSideSlopeColumn, kRoughnessColumn});
    FillInputs(5, {kBottomWidthColumn, kSideSlopeColumn, kRoughnessColumn, kBedSlopeColumn});
    ClickCell(3, kBedSlopeColumn);
    std::vector<std::pair<QString, int>> events;
    QObject::connect(&window.TableView(), &TableControl::cellEditFinished,
                     [&] { events.emplace_back("finished", table.CurrentRow()); });
    QObject::connect(&table, &ElementsTable::currentCellMoved,
                     [&] { events.emplace_back("moved", table.CurrentRow()); });

    TypeIntoTable("0.0005");
    EXPECT_TRUE(window.Doc().Modified()) << "typing marks the table as changed";
    ClickCell(5, kSideSlopeColumn);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], std::make_pair(QString("finished"), 3));
    EXPECT_EQ(events[1], std::make_pair(QString("moved"), 5));
    EXPECT_EQ(table.GetCellText(3, kBedSlopeColumn), "0.0005");
    EXPECT_EQ(window.StatusText(), "请输入水深或者流量！") << "row 3 was calculated";
}

TEST_F(MainWindowTest, EnterFinishesTheEditOnceAndTabMovesOn) {
    int finished = 0;
    QObject::connect(&window.TableView(), &TableControl::cellEditFinished, [&] { ++finished; });
    ClickCell(3, kBottomWidthColumn);
    TypeIntoTable("2");
    FinishEditWithEnter();
    EXPECT_EQ(finished, 1) << "the prompt's move must not finish the edit again";
    EXPECT_EQ(window.StatusText(), "请输入边坡数据！");
    EXPECT_EQ(window.TableView().currentIndex(), window.Table().index(3, kSideSlopeColumn));

    FillInputs(4, {kSideSlopeColumn, kRoughnessColumn, kBedSlopeColumn});
    ClickCell(4, kBottomWidthColumn);
    TypeIntoTable("3");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(finished, 2);
    EXPECT_EQ(window.Table().GetCellText(4, kBottomWidthColumn), "3");
    EXPECT_EQ(window.TableView().currentIndex(), window.Table().index(4, kSideSlopeColumn))
        << "Tab moves after the edit";
}

TEST_F(MainWindowTest, DeletingInsideACellMarksTheTableChanged) {
    FillInputs(2, {kSideSlopeColumn, kRoughnessColumn, kBedSlopeColumn});
    window.Table().SetCellText(2, kBottomWidthColumn, "56");
    ClickCell(2, kBottomWidthColumn);
    QTest::keyClick(&window.TableView(), Qt::Key_F2);
    ASSERT_NE(QApplication::focusWidget(), &window.TableView()) << "the editor is open";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    FinishEditWithEnter();
    EXPECT_EQ(window.Table().GetCellText(2, kBottomWidthColumn), "5");
    EXPECT_TRUE(window.Doc().Modified());
}

// The editor takes a cell's worth of characters and says why it takes no
// more; a longer text a file put in the cell stays whole.
TEST_F(MainWindowTest, TheEditorStopsAtTheCellLimitWithAReason) {
    const QString fromFile(ElementsTable::kMaxCellCharacters + 5, u'f');
    window.Table().SetCellText(3, kBottomWidthColumn, fromFile);
    FillInputs(3, {kSideSlopeColumn, kRoughnessColumn, kBedSlopeColumn});
    for (const auto& [row, start] : {std::pair{2, QString(9999, u'1')}, {3, fromFile}}) {
        ClickCell(row, kBottomWidthColumn);
        QTest::keyClick(&window.TableView(), Qt::Key_F2);
        qobject_cast<QLineEdit*>(QApplication::focusWidget())->setText(start);
        QTest::keyClicks(QApplication::focusWidget(), "23");
        EXPECT_EQ(window.StatusText(), "每格最多 10000 个字符，这一格已经写满，不能再输入了。");
        FinishEditWithEnter();
        EXPECT_EQ(window.Table().GetCellText(row, kBottomWidthColumn).size(),
                  std::max(qsizetype{10000}, start.size()));
    }
}

TEST_F(MainWindowTest, TheEditorKeepsEveryTypedCharacter) {
    const char* typed[] = {"1/2000", "2,5", "abc", "-1:2e3 x"};
    int row = 1;
    for (const char* text : typed) {
        SCOPED_TRACE(text);
        ClickCell(++row, kBottomWidthColumn);
        QTest::keyClick(&window.TableView(), Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr) << "the editor is open";
        QTest::keyClicks(editor, QString::fromUtf8(text));
        EXPECT_EQ(editor->text(), QString::fromUtf8(text));
        FinishEditWithEnter();
        EXPECT_EQ(window.Table().GetCellText(row, kBottomWidthColumn), QString::fromUtf8(text));
    }
    // The first key opens the editor and is kept too; a Chinese input method
    // commits full-width forms.
    FillInputs(7, {kBottomWidthColumn, kSideSlopeColumn, kRoughnessColumn});
    ClickCell(7, kBedSlopeColumn);
    TypeIntoTable("１／２０００");
    FinishEditWithEnter();
    EXPECT_EQ(window.Table().GetCellText(7, kBedSlopeColumn), "１／２０００");
    EXPECT_EQ(window.Table().DisplayText(7, kBedSlopeColumn), "１／２０００")
        << "slopes show as typed";
    EXPECT_TRUE(window.Doc().Modified());
}

TEST_F(MainWindowTest, TheStatusLineNamesATypedInputThatIsNotANumber) {
    ElementsTable& table = window.Table();
    FillRow(3, {"2", "1.5", "1", "0.025", "0.0005"});
    ClickCell(3, kDepthColumn);
    QTest::mouseClick(Child<QRadioButton>("单选框1"), Qt::LeftButton);
    ASSERT_EQ(window.StatusText(), "欢迎使用本程序！");

    struct Step {
        int column;
        const char* typed;
        const char* status;
    } const steps[] = {{kBedSlopeColumn, "1/2000", "欢迎使用本程序！"},
                       {kBottomWidthColumn, "2m", "第3行“底宽”不是数字，按 2 计算！"}};
    for (const Step& step : steps) {
        table.SetCellText(3, step.column, "");
        ClickCell(3, step.column);
        TypeIntoTable(QString::fromUtf8(step.typed));
        FinishEditWithEnter();
        EXPECT_EQ(window.StatusText(), QString::fromUtf8(step.status));
        EXPECT_EQ(table.DisplayText(3, kDischargeColumn), "2.29") << step.typed;
    }
}

TEST_F(MainWindowTest, AnAbsurdSlopeIsNamedInsteadOfTheWelcome) {
    FillRow(1, {"2", "1.5", "1", "0.025"});
    ClickCell(1, kDepthColumn);
    QTest::mouseClick(Child<QRadioButton>("单选框1"), Qt::LeftButton);
    ClickCell(1, kBedSlopeColumn);
    TypeIntoTable("2000");
    FinishEditWithEnter();
    EXPECT_EQ(window.StatusText(),
              "第1行纵坡 2000 远大于常见值，是否应为 1/2000？流速 1306.80 m/s 大于 10 m/s！");
    EXPECT_EQ(window.Table().DisplayText(1, kVelocityColumn), "1306.80") << "calculated as typed";
}

TEST_F(MainWindowTest, PastedInputsRecalculateTheirRowsInTheCurrentMode) {
    ElementsTable& table = window.Table();
    ClickCell(2, kBottomWidthColumn);
    doubles.clipboard->text = "2\t1.5\t1\t0.025\t0.0005\n3\t1\t1\t0.02\tx\n4\n";
    QTest::mouseClick(Child<QRadioButton>("单选框1"), Qt::LeftButton);
    ClickCell(2, kBottomWidthColumn);
    QTest::keyClick(&window.TableView(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(table.DisplayText(2, kDischargeColumn), "2.29");
    EXPECT_EQ(table.GetCellText(3, kDischargeColumn), "0")
        << "row 3 ran as written, with a slope of 0";
    EXPECT_EQ(table.GetCellText(4, kAreaColumn), "") << "row 4 lacks inputs";
    EXPECT_EQ(window.StatusText(), "已重算2行，1行有问题：第3行“纵坡”不是数字，按 0 计算！");
    EXPECT_TRUE(window.Doc().Modified()) << "the paste changed cells";

    // Pasting the same cells again changes nothing and calculates nothing.
    table.SetCellText(2, kAreaColumn, "stale");
    QTest::keyClick(&window.TableView(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(table.GetCellText(2, kAreaColumn), "stale");
}

TEST_F(MainWindowTest, RecalculateAllRunsFromF9AndTheToolsMenuWithoutMarkingChanges) {
    ElementsTable& table = window.Table();
    for (int row : {1, 5, 9}) FillRow(row, {"2", "1.5", nullptr, "0.025", "0.0005"});
    table.SetCellText(5, kDischargeColumn, "2");
    table.SetCellText(9, kDischargeColumn, "0");
    ClickCell(1, kDepthColumn);

    QTest::keyClick(&window.TableView(), Qt::Key_F9);
    EXPECT_EQ(table.DisplayText(5, kDepthColumn), "0.94");
    EXPECT_EQ(window.StatusText(),
              "已重算3行，2行有问题：第1行：请输入水深或者流量！第9行：流量必须大于零！");
    EXPECT_FALSE(window.Doc().Modified()) << "a calculation is not an edit";

    // From an open editor: the typed depth is committed, then every row runs.
    ClickCell(9, kBottomWidthColumn);
    QTest::mouseClick(Child<QRadioButton>("单选框1"), Qt::LeftButton);
    ClickCell(1, kDepthColumn);
    TypeIntoTable("1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F9);
    EXPECT_EQ(table.GetCellText(1, kDepthColumn), "1");
    EXPECT_EQ(table.DisplayText(1, kDischargeColumn), "2.29");

    window.ToolsMenu()->actions().at(1)->trigger();
    EXPECT_EQ(window.StatusText(), "已重算3行，1行有问题：第9行：流量必须大于零！");
}

TEST_F(MainWindowTest, DepthKnownButtonCalculatesTheCurrentRowAndTheOtherDoesNot) {
    ElementsTable& table = window.Table();
    FillRow(6, {"2", "1.5", "1", "0.025", "0.0005"});
    ClickCell(6, kDepthColumn);
    int finished = 0;
    QObject::connect(&window.TableView(), &TableControl::cellEditFinished, [&] { ++finished; });

    QTest::mouseClick(Child<QRadioButton>("单选框2"), Qt::LeftButton);
    EXPECT_TRUE(table.GetCellText(6, kAreaColumn).isEmpty());
    QTest::mouseClick(Child<QRadioButton>("单选框1"), Qt::LeftButton);
    EXPECT_EQ(table.GetCellText(6, kAreaColumn), "3.5");
    EXPECT_EQ(table.DisplayText(6, kDischargeColumn), "2.29");
    EXPECT_EQ(table.DisplayText(6, kWettedPerimeterColumn), "5.61");
    EXPECT_EQ(table.GetCellText(6, kDepthColumn), "1");
    EXPECT_EQ(window.StatusText(), "欢迎使用本程序！");
    EXPECT_EQ(finished, 0) << "the calculation's own writes raise no edit notification";
    EXPECT_FALSE(window.Doc().Modified()) << "a calculation is not an edit";
}

TEST_F(MainWindowTest, RightButtonOpensAboutOnlyOnTheSurfaceAndTheCadButton) {
    for (const char* inert : {"按钮3", "单选框1", "单选框2", "编辑框1"}) {
        QTest::mouseClick(Child<QWidget>(inert), Qt::RightButton);
        EXPECT_TRUE(OpenAboutWindows().empty()) << inert;
    }
    EXPECT_EQ(window.LastPopup(), nullptr);
    EXPECT_FALSE(Child<QRadioButton>("单选框1")->isChecked());

    QTest::mouseClick(Child<QWidget>("按钮1"), Qt::RightButton);
    ASSERT_EQ(OpenAboutWindows().size(), 1u);
    EXPECT_EQ(doubles.exports, 0) << "the right button does not export";
    OpenAboutWindows().front()->close();

    QTest::mouseClick(window.centralWidget(), Qt::RightButton, {}, QPoint(428, 295));
    ASSERT_EQ(OpenAboutWindows().size(), 1u);
    OpenAboutWindows().front()->close();

    window.AboutMenu()->actions().first()->trigger();
    ASSERT_EQ(OpenAboutWindows().size(), 1u) << "关于本程序 opens the same window";
    OpenAboutWindows().front()->close();

    ClickCell(2, kSideSlopeColumn, Qt::RightButton);
    EXPECT_EQ(window.LastPopup(), window.EditMenu());
    EXPECT_TRUE(OpenAboutWindows().empty());
}

TEST_F(MainWindowTest, TrayActionsPopUpTheAboutAndFileMenus) {
    auto* tray = window.findChild<QSystemTrayIcon*>("托盘图标");
    ASSERT_NE(tray, nullptr);
    emit tray->activated(QSystemTrayIcon::DoubleClick);
    emit tray->activated(QSystemTrayIcon::MiddleClick);
    window.OnTrayIconEvent(2);
    EXPECT_EQ(window.LastPopup(), nullptr);
    emit tray->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(window.LastPopup(), window.AboutMenu());
    window.LastPopup()->close();
    emit tray->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(window.LastPopup(), window.FileMenu());
    window.LastPopup()->close();

    window.OpenAbout();
    window.OnTrayIconEvent(1);
    EXPECT_EQ(window.LastPopup(), window.FileMenu()) << "nothing pops up over a modal window";
}

TEST_F(MainWindowTest, AboutWindowClosesOnItsSurfaceAndLabelsButNotTheLink) {
    for (const char* target : {"", "标签2", "标签3"}) {
        AboutWindow* about = window.OpenAbout();
        QPointer<AboutWindow> guard(about);
        EXPECT_TRUE(about->isModal());
        EXPECT_EQ(about->windowTitle(), "关于");
        EXPECT_EQ(about->palette().color(QPalette::Window), QColor(0, 96, 192));
        auto* link = about->findChild<QLabel*>("超级链接框");
        ASSERT_NE(link, nullptr);
        EXPECT_TRUE(link->text().contains("联系我！"));
        EXPECT_EQ(about->findChild<QLabel*>("标签2")->text(), "希望对大家有所帮助。");

        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(100, 8));
        EXPECT_TRUE(about->isVisible()) << "the link leaves the window open";

        QWidget* clickOn = *target ? about->findChild<QWidget*>(target) : about;
        QTest::mouseClick(clickOn, Qt::LeftButton, {}, *target ? QPoint(2, 2) : QPoint(10, 100));
        EXPECT_TRUE(guard.isNull() || !guard->isVisible()) << target;
        QApplication::processEvents();
    }
}

TEST_F(MainWindowTest, InstructionsAreReadAgainOnEveryOpening) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    auto writeInstructions = [&](const QByteArray& text) {
        QFile file(dir.filePath("说明.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };

    InstructionsWindow* first = window.OpenInstructions();
    EXPECT_EQ(first->Text(), "") << "missing file: empty box, no message";
    EXPECT_TRUE(first->isModal());
    first->close();

    writeInstructions("第一版说明");
    InstructionsWindow* second = window.OpenInstructions();
    EXPECT_EQ(second->Text(), "第一版说明");
    auto* box = second->findChild<QPlainTextEdit*>("编辑框1");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->geometry(), QRect(0, 0, 384, 304));
    second->close();

    writeInstructions("第二版说明");
    InstructionsWindow* third = window.OpenInstructions();
    EXPECT_EQ(third->Text(), "第二版说明");
    third->close();
    QDir::setCurrent(previous);
}

TEST_F(MainWindowTest, MusicStartsWithTheWindowAndFollowsTheMenu) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return doubles.tune->starts == 1; }))
        << "starts after the first frame";
    window.MusicOff();
    window.MusicOff();
    EXPECT_FALSE(doubles.tune->playing);
    window.MusicOn();
    EXPECT_TRUE(doubles.tune->playing);
    window.MusicOn();
    EXPECT_EQ(doubles.tune->starts, 2) << "a playing tune is left alone";
}

TEST_F(MainWindowTest, PasteAndClearThatChangeCellsMarkTheTableChanged) {
    ClickCell(2, kBottomWidthColumn);
    doubles.clipboard->text = "1\t2\n3\t4\n";
    window.PasteCells();
    EXPECT_EQ(window.Table().GetCellText(3, kSideSlopeColumn), "4");
    EXPECT_TRUE(window.Doc().Modified());

    window.Table().SetSelection(2, kBottomWidthColumn, 3, kSideSlopeColumn);
    QTest::keyClick(&window.TableView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(doubles.clipboard->text, "1.00\t2.00\n3.00\t4.00\n")
        << "Ctrl+C copies the selection as shown";

    SaveToTestFile();
    window.Table().SetSelection(2, kBottomWidthColumn, 4, kDepthColumn);
    QTest::keyClick(&window.TableView(), Qt::Key_Delete);
    EXPECT_EQ(window.Table().GetCellText(3, kSideSlopeColumn), "");
    EXPECT_TRUE(window.Doc().Modified());

    SaveToTestFile();
    window.ClearCells();
    EXPECT_FALSE(window.Doc().Modified()) << "clearing empty cells changes nothing";
}

TEST_F(MainWindowTest, CloseRequestAsksWhenModifiedAndCancelKeepsTheWindow) {
    window.Doc().OnTyping();
    doubles.messages->answers = {SaveChangesAnswer::Cancel};
    window.close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(doubles.messages->asked, 1);
    EXPECT_TRUE(window.Doc().Modified());

    doubles.messages->answers = {SaveChangesAnswer::No};
    window.ExitProgram();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(doubles.messages->asked, 2) << "exit asks once, not again on close";
}

TEST_F(MainWindowTest, CadButtonRunsTheExport) {
    QTest::mouseClick(Child<QPushButton>("按钮1"), Qt::LeftButton);
    EXPECT_EQ(doubles.exports, 1);
    EXPECT_EQ(window.StatusText(), "exported");
}

void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

// The menu the last key opened, closed again.
QMenu* CloseOpenMenu() {
    auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (open) open->close();
    return open;
}

TEST_F(MainWindowTest, MenusModesExportAndTabWorkFromTheKeyboard) {
    FillRow(3, {"2", "1.5", "1", "0.025", "0.0005"});
    ClickCell(3, kDepthColumn);
    for (const auto& [key, menu] : {std::pair{Qt::Key_F, window.FileMenu()},
                                    {Qt::Key_E, window.EditMenu()},
                                    {Qt::Key_T, window.ToolsMenu()}}) {
        Key(key, Qt::AltModifier);
        EXPECT_EQ(CloseOpenMenu(), menu) << menu->objectName().toStdString();
    }
    Key(Qt::Key_F10);
    EXPECT_EQ(CloseOpenMenu(), window.FileMenu());

    Key(Qt::Key_1, Qt::ControlModifier);
    EXPECT_TRUE(Child<QRadioButton>("单选框1")->isChecked());
    EXPECT_EQ(window.Table().DisplayText(3, kDischargeColumn), "2.29") << "calculated as a click";
    Key(Qt::Key_2, Qt::ControlModifier);
    EXPECT_TRUE(window.menuBar()->findChild<QAction*>("已知流量求水深")->isChecked());
    Key(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(doubles.exports, 1);

    ASSERT_EQ(QApplication::focusWidget(), &window.TableView());
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Child<QPushButton>("按钮1"));
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), &window.TableView());
}

TEST_F(MainWindowTest, HeadingsStatusLineAndDetailsWindowHaveAccessibleNames) {
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&window.TableView());
    ASSERT_NE(table->tableInterface(), nullptr);
    for (int column = kItemColumn; column < kColumns; ++column)
        EXPECT_EQ(table->tableInterface()->columnDescription(column),
                  QString::fromUtf8(kHeadings[column]));
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(Child<QLineEdit>("编辑框1"))->text(QAccessible::Name),
        "状态");
    window.ShowSectionDetails();
    QAccessibleInterface* details = QAccessible::queryAccessibleInterface(window.SectionDetails());
    EXPECT_EQ(details->role(), QAccessible::Window);
    EXPECT_EQ(details->text(QAccessible::Name), "断面详情");
}

}  // namespace

}  // namespace channel
