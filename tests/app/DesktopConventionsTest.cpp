#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QMenu>
#include <QRadioButton>
#include <QStyleFactory>
#include <QToolTip>
#include <functional>

#include "app/widgets/DeferredStyleIcons.h"
#include "table/ElementsLayout.h"
#include "tests/app/MainWindowFixture.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

class DesktopConventionsTest : public MainWindowTest {
  public:
    QModelIndexList Highlighted() {
        QModelIndexList selected = window.TableView().selectionModel()->selectedIndexes();
        std::sort(selected.begin(), selected.end());
        return selected;
    }
    QModelIndex Cell(int row, int column) { return window.Table().index(row, column); }
    void SendMouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPoint at) {
        QWidget* viewport = window.TableView().viewport();
        QMouseEvent event(type, at, viewport->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
    void ClosePopup() {
        if (window.LastPopup()) window.LastPopup()->close();
    }
};

// Row 4 has its bottom width and side slope but no roughness, so entering
// its depth cell prompts for the roughness and moves to its roughness cell.
TEST_F(DesktopConventionsTest, HighlightFollowsThePromptWhateverMovedTheCell) {
    struct Case {
        const char* how;
        std::function<void(DesktopConventionsTest&)> enterDepthCell;
    };
    const Case cases[] = {
        {"click", [](DesktopConventionsTest& t) { t.ClickCell(4, kDepthColumn); }},
        {"double click",
         [](DesktopConventionsTest& t) {
             // A real double click: press and release, then the double-click
             // event and its release.
             QWidget* viewport = t.window.TableView().viewport();
             const QPoint at = t.CellCentre(4, kDepthColumn);
             QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
             QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
             QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
         }},
        {"press and drag within the cell",
         [](DesktopConventionsTest& t) {
             const QPoint at = t.CellCentre(4, kDepthColumn);
             t.SendMouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, at);
             t.SendMouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, at + QPoint(3, 1));
             t.SendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton,
                         at + QPoint(3, 1));
         }},
        {"arrow key",
         [](DesktopConventionsTest& t) {
             t.ClickCell(3, kDepthColumn);
             QTest::keyClick(&t.window.TableView(), Qt::Key_Down);
         }},
        {"shift and arrow key",
         [](DesktopConventionsTest& t) {
             t.ClickCell(3, kDepthColumn);
             QTest::keyClick(&t.window.TableView(), Qt::Key_Down, Qt::ShiftModifier);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        window.Table().ClearCells(kFirstSectionRow, kFirstValueColumn, kLastSectionRow,
                                  kLastValueColumn);
        FillInputs(3, {kBottomWidthColumn, kSideSlopeColumn, kDepthColumn, kRoughnessColumn,
                       kBedSlopeColumn});
        FillInputs(4, {kBottomWidthColumn, kSideSlopeColumn});
        // Far from the last click, so no double click is made of the two.
        ClickCell(9, kVelocityColumn);
        c.enterDepthCell(*this);
        EXPECT_EQ(window.StatusText(), "请输入糙率数据！");
        EXPECT_EQ(window.TableView().currentIndex(), Cell(4, kRoughnessColumn));
        EXPECT_EQ(Highlighted(), QModelIndexList{Cell(4, kRoughnessColumn)});

        ASSERT_EQ(QApplication::focusWidget(), &window.TableView())
            << "no editor opened on the old cell";
        TypeIntoTable("7");
        FinishEditWithEnter();
        EXPECT_EQ(window.Table().GetCellText(4, kRoughnessColumn), "7")
            << "the keystroke went to the highlighted cell";
        EXPECT_EQ(window.Table().GetCellText(4, kDepthColumn), "");
    }
}

TEST_F(DesktopConventionsTest, ProgramMoveOfTheCurrentCellMovesTheHighlight) {
    ClickCell(2, kBedSlopeColumn);
    FillInputs(6, {kBottomWidthColumn, kSideSlopeColumn, kRoughnessColumn, kBedSlopeColumn});
    window.Table().SetCurrentCell(6, kSideSlopeColumn);
    EXPECT_EQ(Highlighted(), QModelIndexList{Cell(6, kSideSlopeColumn)});
    window.Table().SetCurrentCell(7, kSideSlopeColumn);
    EXPECT_EQ(window.TableView().currentIndex(), Cell(7, kBottomWidthColumn))
        << "row 7 prompts for its bottom width";
    EXPECT_EQ(Highlighted(), QModelIndexList{Cell(7, kBottomWidthColumn)});
}

TEST_F(DesktopConventionsTest, RightClickOutsideTheSelectionSelectsTheCellFirst) {
    FillInputs(5, {kBottomWidthColumn, kSideSlopeColumn, kRoughnessColumn, kBedSlopeColumn});
    window.Table().SetCellText(5, kWettedPerimeterColumn, "4.25");
    ClickCell(2, kBottomWidthColumn);
    window.TableView().selectionModel()->select(
        QItemSelection(Cell(2, kBottomWidthColumn), Cell(3, kSideSlopeColumn)),
        QItemSelectionModel::ClearAndSelect);

    ClickCell(3, kSideSlopeColumn, Qt::RightButton);
    EXPECT_EQ(Highlighted().size(), 4) << "inside the selection: the selection stays";
    EXPECT_EQ(window.Table().SelectionLastRow(), 3);
    EXPECT_EQ(window.TableView().currentIndex(), Cell(2, kBottomWidthColumn));
    ClosePopup();

    ClickCell(kHeadingRow, kWettedPerimeterColumn, Qt::RightButton);
    EXPECT_EQ(Highlighted().size(), 4) << "a heading is not selectable";
    ClosePopup();

    ClickCell(5, kWettedPerimeterColumn, Qt::RightButton);
    EXPECT_EQ(Highlighted(), QModelIndexList{Cell(5, kWettedPerimeterColumn)});
    EXPECT_EQ(window.TableView().currentIndex(), Cell(5, kWettedPerimeterColumn));
    EXPECT_EQ(window.Table().GetCellText(5, kItemColumn), "5  >>>") << "it became current";
    ASSERT_EQ(window.LastPopup(), window.EditMenu());
    auto* copy = window.EditMenu()->findChild<QAction*>("复制");
    ASSERT_NE(copy, nullptr);
    copy->trigger();
    EXPECT_EQ(doubles.clipboard->text, "4.25\n") << "复制 copies the cell that was clicked";
    ClosePopup();
}

TEST_F(DesktopConventionsTest, ModeButtonsGiveTheKeyboardBackToTheCurrentCell) {
    for (const char* name : {"单选框2", "单选框1"}) {
        SCOPED_TRACE(name);
        window.Table().SetCellText(2, kBottomWidthColumn, "");
        ClickCell(2, kBottomWidthColumn);
        auto* mode = Child<QRadioButton>(name);
        mode->setFocus();
        QTest::mouseClick(mode, Qt::LeftButton);
        EXPECT_TRUE(mode->isChecked());
        EXPECT_EQ(QApplication::focusWidget(), &window.TableView());
        TypeIntoTable("5");
        FinishEditWithEnter();
        EXPECT_EQ(window.Table().GetCellText(2, kBottomWidthColumn), "5");
    }
}

TEST_F(DesktopConventionsTest, ClippedCellsShowTheirWholeTextAsTooltip) {
    struct Case {
        int column;
        const char* text;
        const char* tooltip;  // empty: the text fits, no tooltip
    };
    const Case cases[] = {
        {kRoughnessColumn, "0.0123456789012", "0.0123456789012"},
        {kRoughnessColumn, "0.025", ""},
        {kDischargeColumn, "58982.3515625", "58982.35"},  // two decimals shown, still too wide
        {kDischargeColumn, "3.5", ""},
        {kSideSlopeColumn, "", ""},
        // texts that would wrap: the cell still draws them on one line
        {kRoughnessColumn, "梯形渠道水利计算", "梯形渠道水利计算"},
        {kRoughnessColumn, "2.5 m abc def", "2.5 m abc def"},
    };
    auto hideTooltipAtOnce = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QTipLabel")) w->hide();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        hideTooltipAtOnce();
        window.Table().SetCellText(7, c.column, c.text);
        const QPoint at = CellCentre(7, c.column);
        QWidget* viewport = window.TableView().viewport();
        QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &help);
        if (*c.tooltip) {
            EXPECT_TRUE(QToolTip::isVisible());
            EXPECT_EQ(QToolTip::text(), QString::fromUtf8(c.tooltip));
        } else {
            EXPECT_FALSE(QToolTip::isVisible()) << QToolTip::text().toStdString();
        }
    }
    hideTooltipAtOnce();
}

}  // namespace

namespace {

TEST(MainWindowStartTest, IconsAndTuneWaitForTheFirstFrame) {
    ProgramState& state = InitGlobals();
    DoubledSeams doubles;
    {
        MainWindow window(state, doubles.Make());
        window.show();
        EXPECT_EQ(doubles.tune->starts, 0) << "nothing but the window before it is on the screen";
        EXPECT_EQ(window.findChild<QSystemTrayIcon*>(), nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return doubles.tune->starts == 1; }));
        EXPECT_NE(window.findChild<QSystemTrayIcon*>(), nullptr);
        EXPECT_FALSE(window.windowIcon().availableSizes().isEmpty()) << "the window's own icon";
    }
    ReleaseGlobals();
}

}  // namespace

}  // namespace channel

namespace channel {
namespace {

// The menu bar's extension icons are made only when drawn, and then drawn
// as the base style draws them; every other icon is the base style's.
TEST(DeferredStyleIconsTest, IconsLookAsTheBaseStyleMakesThem) {
    QStyle* base = QStyleFactory::create(QStringLiteral("Fusion"));
    ASSERT_NE(base, nullptr);
    DeferredStyleIcons style(base);
    for (const QStyle::StandardPixmap icon :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
          QStyle::SP_DialogOkButton, QStyle::SP_MessageBoxWarning}) {
        const QImage shown = style.standardIcon(icon).pixmap(QSize(16, 16)).toImage();
        EXPECT_FALSE(shown.isNull()) << icon;
        EXPECT_EQ(shown, base->standardIcon(icon).pixmap(QSize(16, 16)).toImage()) << icon;
    }
}

}  // namespace
}  // namespace channel
