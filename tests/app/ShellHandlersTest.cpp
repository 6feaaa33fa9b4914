#include <gtest/gtest.h>


#include "app/core/ShellHandlers.h"
#include "app/core/ShellTexts.h"
#include "app/core/TableSetUp.h"
#include "table/ElementsTable.h"

namespace {

const QString kMarker = QStringLiteral("  >>>");

// A table as the main window's set-up leaves it, with the handler wired to
// the model's notification the way the window wires it.
class ShellFixture : public ::testing::Test {
protected:
    ShellFixture() : table(11, 12, 1, 1) {
        SetUpElementsTable(table);
        QObject::connect(&table, &ElementsTable::currentCellMoved, [this] {
            ++moves;
            ShellContext context = Context();
            OnCurrentCellChanged(context);
        });
    }
    ShellContext Context() {
        return ShellContext{table, markedRow, modified, [this](const QString& s) { status.push_back(s); }};
    }
    void FillInputs(int row, std::initializer_list<int> columns) {
        for (int c : columns) table.SetCellText(row, c, "1");
    }

    ElementsTable table;
    int markedRow = 0;
    int modified = 0;
    int moves = 0;
    std::vector<QString> status;
};

TEST_F(ShellFixture, SetUpWritesHeadingsNumbersAndFormats) {
    const char* headings[] = {"项目", "底宽", "边坡", "水深", "糙率", "纵坡1\\I",
                              "面积", "湿周", "水力半径", "谢才系数", "流量", "流速"};
    for (int c = 0; c < 12; ++c) EXPECT_EQ(table.GetCellText(0, c), QString::fromUtf8(headings[c]));
    EXPECT_EQ(table.GetCellText(0, 5).size(), 5) << "one backslash, five characters";
    for (int r = 1; r <= 10; ++r) {
        EXPECT_EQ(table.GetCellText(r, 0), QString::number(r));
        for (int c = 1; c < 12; ++c) EXPECT_TRUE(table.GetCellText(r, c).isEmpty());
    }
    EXPECT_EQ(table.ColumnKind(0), 0);
    for (int c = 1; c < 12; ++c) EXPECT_EQ(table.ColumnKind(c), ElementsTable::kNumericKind);
    for (int c : {0, 4, 5}) EXPECT_EQ(table.ColumnDecimals(c), -1);
    for (int c : {1, 2, 3, 6, 7, 8, 9, 10, 11}) EXPECT_EQ(table.ColumnDecimals(c), 2);
    ASSERT_EQ(table.Formulas().size(), 2u);
    EXPECT_EQ(table.Formulas()[0].result, 8);
    EXPECT_EQ(table.Formulas()[1].left, 10);
    EXPECT_EQ(table.CurrentRow(), -1);
}

TEST_F(ShellFixture, MarkerFollowsTheCurrentRow) {
    table.SetCurrentCell(3, 1);
    EXPECT_EQ(table.GetCellText(3, 0), "3" + kMarker);
    EXPECT_EQ(status.back(), "请输入底宽数据!");
    EXPECT_EQ(table.CurrentColumn(), 1);

    table.SetCurrentCell(5, 2);
    EXPECT_EQ(table.GetCellText(3, 0), "3");
    EXPECT_EQ(table.GetCellText(5, 0), "5" + kMarker);
    EXPECT_EQ(markedRow, 5);

    FillInputs(5, {1, 2, 4, 5});
    table.SetCurrentCell(5, 7);
    table.SetCurrentCell(5, 9);
    EXPECT_EQ(table.GetCellText(5, 0), "5" + kMarker) << "moving within the row keeps one marker";
}

TEST_F(ShellFixture, PromptsForTheFirstMissingInputInOrder) {
    struct Case {
        std::initializer_list<int> filled;
        int enterColumn;
        const char* message;
        int promptedColumn;
    };
    const Case cases[] = {
        {{}, 2, "请输入底宽数据!", 1},
        {{1}, 5, "请输入边坡数据！", 2},
        {{1, 2}, 3, "请输入糙率数据！", 4},  // the depth is not part of the check
        {{1, 2, 4}, 1, "请输入纵坡数据！", 5},
    };
    int row = 1;
    for (const Case& c : cases) {
        FillInputs(row, c.filled);
        table.SetCurrentCell(row, c.enterColumn);
        EXPECT_EQ(status.back(), QString::fromUtf8(c.message)) << "row " << row;
        EXPECT_EQ(table.CurrentRow(), row);
        EXPECT_EQ(table.CurrentColumn(), c.promptedColumn);
        ++row;
    }
}

TEST_F(ShellFixture, ACompleteRowLeavesStatusAndCellAlone) {
    FillInputs(6, {1, 2, 4});
    table.SetCellText(6, 5, " ");  // a blank counts as filled
    status.push_back("previous");
    table.SetCurrentCell(6, 3);
    EXPECT_EQ(status.back(), "previous");
    EXPECT_EQ(table.CurrentColumn(), 3);
}

TEST_F(ShellFixture, RepeatedPromptSettlesOnTheSameCell) {
    table.SetCurrentCell(4, 3);  // moves on to (4, 1), which raises the notification again
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(table.CurrentColumn(), 1);
    EXPECT_EQ(status, (std::vector<QString>{"请输入底宽数据!", "请输入底宽数据!"}));
    EXPECT_EQ(table.GetCellText(4, 0), "4" + kMarker);
}

TEST_F(ShellFixture, LoadedMarkerDoublesUntilTheNextMove) {
    FillInputs(2, {1, 2, 4, 5});
    FillInputs(7, {1, 2, 4, 5});
    table.SetCurrentCell(2, 1);
    table.SetCellText(7, 0, "7" + kMarker);  // as a loaded table may bring it
    table.SetCurrentCell(7, 1);
    EXPECT_EQ(table.GetCellText(7, 0), "7" + kMarker + kMarker);
    EXPECT_EQ(table.GetCellText(2, 0), "2");
    table.SetCurrentCell(2, 2);
    EXPECT_EQ(table.GetCellText(7, 0), "7");
}

TEST_F(ShellFixture, TypingSetsModified) {
    ShellContext context = Context();
    OnTableCharTyped(context, QChar(u'5'));
    EXPECT_EQ(modified, 1);
}

}  // namespace
