#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "app/widgets/SectionDesignWindow.h"
#include "table/ElementsLayout.h"
#include "tests/app/MainWindowFixture.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

using SectionDesignWindowTest = MainWindowTest;

// F6 on row 3 (b to find, m = 1.5, n = 0.025, i = 1/2000, Q = 2): the
// window shows the six candidates; a mistyped field is named beside it and
// blocks 采用; choosing α = 1.04 and 采用 writes b = 2.65 and calculates the
// row, and Ctrl+Z in the main window takes it all back.
TEST_F(SectionDesignWindowTest, F6DesignsTheCurrentRowAndCtrlZUndoesTheAdoption) {
    FillAndCalculate(window, 3, {"1", "1.5", "", "0.025", "1/2000", "", "", "", "", "2"});
    const ElementsTable::Snapshot calculated = window.Table().TakeSnapshot();
    QTest::keyClick(&window, Qt::Key_F6);
    SectionDesignWindow* design = window.SectionDesign();
    ASSERT_NE(design, nullptr);
    EXPECT_TRUE(design->isVisible());
    EXPECT_EQ(design->Row(), 3);
    auto* candidates = design->findChild<QTableWidget*>(QStringLiteral("设计结果"));
    ASSERT_EQ(candidates->rowCount(), 6);
    EXPECT_EQ(candidates->item(0, 1)->text(), "0.737");  // the best section's b

    auto* discharge = design->findChild<QLineEdit*>(QStringLiteral("设计流量 Q"));
    auto* adopt = design->findChild<QPushButton*>(QStringLiteral("采用"));
    discharge->setFocus();
    QTest::keyClick(discharge, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(discharge, "2x");
    EXPECT_FALSE(adopt->isEnabled());
    const auto labels = design->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                            [](QLabel* l) { return l->text() == "不是有效的数字。"; }));
    QTest::keyClick(discharge, Qt::Key_Backspace);
    ASSERT_TRUE(adopt->isEnabled());

    candidates->selectRow(4);
    EXPECT_EQ(design->Form().chosen, 4);
    QTest::mouseClick(adopt, Qt::LeftButton);
    EXPECT_EQ(window.Table().GetCellText(3, kBottomWidthColumn), "2.65");
    EXPECT_NE(window.Table().GetCellText(3, kVelocityColumn),
              calculated.cells[3 * kColumns + kVelocityColumn]);

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.Table().TakeSnapshot(), calculated);
    design->close();
}

}  // namespace

}  // namespace channel
