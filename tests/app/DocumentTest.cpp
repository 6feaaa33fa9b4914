#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <string_view>

#include "app/document/Document.h"
#include "app/document/TableHistory.h"
#include "cad/CadExport.h"
#include "files/ElementFile.h"
#include "support/FileDoubles.h"
#include "support/MemoryClipboard.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

const QString kMarker = QStringLiteral("  >>>");

// A document as the main window makes it, without the window: doubles for
// the dialogs and the clipboard, the status line recorded.
struct DocumentWithDoubles {
    DocumentWithDoubles()
        : document(DocumentSeams{dialogs, messages, clipboard, {}, {}, {}}),
          table(document.Table()) {
        QObject::connect(&table, &ElementsTable::currentCellMoved, [this] { ++moves; });
        QObject::connect(&document, &Document::statusChanged,
                         [this](const QString& s) { status.push_back(s); });
    }
    void FillInputs(int row, std::initializer_list<int> columns) {
        for (int c : columns) table.SetCellText(row, c, "1");
    }

    ScriptedFileDialogs dialogs;
    ScriptedFileMessages messages;
    MemoryClipboard clipboard;
    Document document;
    ElementsTable& table;
    int moves = 0;
    std::vector<QString> status;

    void Paste(const char* text) {
        clipboard.text = text;
        document.Paste();
    }
};

class ShellFixture : public ::testing::Test, public DocumentWithDoubles {};

TEST_F(ShellFixture, SetUpWritesHeadingsNumbersAndFormats) {
    const char* headings[] = {"项目", "底宽", "边坡",     "水深",     "糙率", "纵坡1\\I",
                              "面积", "湿周", "水力半径", "谢才系数", "流量", "流速"};
    for (int c = 0; c < kColumns; ++c)
        EXPECT_EQ(table.GetCellText(kHeadingRow, c), QString::fromUtf8(headings[c]));
    EXPECT_EQ(table.GetCellText(kHeadingRow, kBedSlopeColumn).size(), 5)
        << "one backslash, five characters";
    for (int r = kFirstSectionRow; r <= kLastSectionRow; ++r) {
        EXPECT_EQ(table.GetCellText(r, kItemColumn), QString::number(r));
        for (int c = kBottomWidthColumn; c <= kVelocityColumn; ++c)
            EXPECT_TRUE(table.GetCellText(r, c).isEmpty());
    }
    EXPECT_EQ(table.ColumnKind(kItemColumn), 0);
    for (int c = kBottomWidthColumn; c <= kVelocityColumn; ++c)
        EXPECT_EQ(table.ColumnKind(c), ElementsTable::kNumericKind);
    for (int c : {kItemColumn, kRoughnessColumn, kBedSlopeColumn})
        EXPECT_EQ(table.ColumnDecimals(c), -1);
    for (int c :
         {kBottomWidthColumn, kSideSlopeColumn, kDepthColumn, kAreaColumn, kWettedPerimeterColumn,
          kHydraulicRadiusColumn, kChezyCoefficientColumn, kDischargeColumn, kVelocityColumn})
        EXPECT_EQ(table.ColumnDecimals(c), 2);
    const auto& formulas = table.Formulas();
    ASSERT_EQ(formulas.size(), 2u);
    EXPECT_EQ(formulas[0].left, kAreaColumn);
    EXPECT_EQ(formulas[0].right, kWettedPerimeterColumn);
    EXPECT_EQ(formulas[0].op, ElementsTable::kDivision);
    EXPECT_EQ(formulas[0].result, kHydraulicRadiusColumn);
    EXPECT_EQ(formulas[1].left, kDischargeColumn);
    EXPECT_EQ(formulas[1].right, kAreaColumn);
    EXPECT_EQ(formulas[1].op, ElementsTable::kDivision);
    EXPECT_EQ(formulas[1].result, kVelocityColumn);
    EXPECT_EQ(table.CurrentRow(), -1);
}

TEST_F(ShellFixture, MarkerFollowsTheCurrentRow) {
    table.SetCurrentCell(3, kBottomWidthColumn);
    EXPECT_EQ(table.GetCellText(3, kItemColumn), "3" + kMarker);
    EXPECT_EQ(status.back(), "请输入底宽数据!");
    EXPECT_EQ(table.CurrentColumn(), kBottomWidthColumn);

    table.SetCurrentCell(5, kSideSlopeColumn);
    EXPECT_EQ(table.GetCellText(3, kItemColumn), "3");
    EXPECT_EQ(table.GetCellText(5, kItemColumn), "5" + kMarker);
    EXPECT_EQ(document.MarkedRow(), 5);

    FillInputs(5, {kBottomWidthColumn, kSideSlopeColumn, kRoughnessColumn, kBedSlopeColumn});
    table.SetCurrentCell(5, kWettedPerimeterColumn);
    table.SetCurrentCell(5, kChezyCoefficientColumn);
    EXPECT_EQ(table.GetCellText(5, kItemColumn), "5" + kMarker)
        << "moving within the row keeps one marker";
}

TEST_F(ShellFixture, PromptsForTheFirstMissingInputInOrder) {
    struct Case {
        std::initializer_list<int> filled;
        int enterColumn = 0;
        const char* message = nullptr;
        int promptedColumn = 0;
    };
    const Case cases[] = {
        {{}, kSideSlopeColumn, "请输入底宽数据!", kBottomWidthColumn},
        {{kBottomWidthColumn}, kBedSlopeColumn, "请输入边坡数据！", kSideSlopeColumn},
        // the depth is not part of the check
        {{kBottomWidthColumn, kSideSlopeColumn},
         kDepthColumn,
         "请输入糙率数据！",
         kRoughnessColumn},
        {{kBottomWidthColumn, kSideSlopeColumn, kRoughnessColumn},
         kBottomWidthColumn,
         "请输入纵坡数据！",
         kBedSlopeColumn},
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
    FillInputs(6, {kBottomWidthColumn, kSideSlopeColumn, kRoughnessColumn});
    table.SetCellText(6, kBedSlopeColumn, " ");  // a blank counts as filled
    status.emplace_back("previous");
    table.SetCurrentCell(6, kDepthColumn);
    EXPECT_EQ(status.back(), "previous");
    EXPECT_EQ(table.CurrentColumn(), kDepthColumn);
}

TEST_F(ShellFixture, RepeatedPromptSettlesOnTheSameCell) {
    table.SetCurrentCell(4,
                         kDepthColumn);  // moves on to (4, 1), which raises the notification again
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(table.CurrentColumn(), kBottomWidthColumn);
    EXPECT_EQ(status, (std::vector<QString>{"请输入底宽数据!", "请输入底宽数据!"}));
    EXPECT_EQ(table.GetCellText(4, kItemColumn), "4" + kMarker);
}

TEST_F(ShellFixture, LoadedMarkerDoublesUntilTheNextMove) {
    FillInputs(2, {kBottomWidthColumn, kSideSlopeColumn, kRoughnessColumn, kBedSlopeColumn});
    FillInputs(7, {kBottomWidthColumn, kSideSlopeColumn, kRoughnessColumn, kBedSlopeColumn});
    table.SetCurrentCell(2, kBottomWidthColumn);
    table.SetCellText(7, kItemColumn, "7" + kMarker);  // as a loaded table may bring it
    table.SetCurrentCell(7, kBottomWidthColumn);
    EXPECT_EQ(table.GetCellText(7, kItemColumn), "7" + kMarker + kMarker);
    EXPECT_EQ(table.GetCellText(2, kItemColumn), "2");
    table.SetCurrentCell(2, kSideSlopeColumn);
    EXPECT_EQ(table.GetCellText(7, kItemColumn), "7");
}

// Only what the user changes marks the table: typing, and a paste or clear
// that changes a cell. A calculation, or a paste or clear that changes no
// cell, does not; undoing back to the saved table clears the mark.
TEST_F(ShellFixture, WhatMarksTheTableChanged) {
    struct Case {
        const char* name;
        std::function<void(DocumentWithDoubles&)> run;
        bool marks;
    } const cases[] = {
        {"typing", [](auto& f) { f.document.OnTyping(); }, true},
        {"a calculation", [](auto& f) { f.document.CalculateCurrentRow(); }, false},
        {"a paste of what is there", [](auto& f) { f.Paste("2\t1.5\n"); }, false},
        {"an empty paste", [](auto& f) { f.Paste(""); }, false},
        {"a paste that changes a cell", [](auto& f) { f.Paste("3\n"); }, true},
        {"clearing filled cells", [](auto& f) { f.document.Clear(); }, true},
        {"clearing empty cells",
         [](auto& f) {
             f.table.SetSelection(4, kDepthColumn, 4, kDepthColumn);
             f.document.Clear();
         },
         false},
        {"a paste, undone",
         [](auto& f) {
             f.Paste("3\n");
             f.document.Undo();
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentWithDoubles f;
        f.FillInputs(4, {kBottomWidthColumn, kSideSlopeColumn, kRoughnessColumn, kBedSlopeColumn});
        f.table.SetCellText(4, kBottomWidthColumn, "2");
        f.table.SetCellText(4, kSideSlopeColumn, "1.5");
        f.table.SetCurrentCell(4, kBottomWidthColumn);
        f.table.SetSelection(4, kBottomWidthColumn, 4, kSideSlopeColumn);
        const ElementsTable::Snapshot before = f.table.TakeSnapshot();
        c.run(f);
        EXPECT_EQ(f.document.Modified(), c.marks);
        if (!c.marks && std::string_view(c.name) != "a calculation") {
            EXPECT_EQ(f.table.TakeSnapshot(), before) << "nothing changed";
        }
    }
}

// A file named on the command line loads as 打开 loads it, relative paths
// made absolute; a refused one is reported and changes nothing.
TEST_F(ShellFixture, OpenFileLoadsOrReportsWithoutAsking) {
    QTemporaryDir dir;
    const QString saved = QDir(dir.path()).filePath("渠道.efs");
    table.SetCellText(2, kBottomWidthColumn, "2.5");
    ASSERT_TRUE(SaveToFile(table, saved).ok());
    table.SetCellText(2, kBottomWidthColumn, "9");
    document.OnTyping();

    const QString savedCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    document.OpenFile("渠道.efs");
    ASSERT_TRUE(QDir::setCurrent(savedCurrent));
    EXPECT_EQ(table.GetCellText(2, kBottomWidthColumn), "2.5");
    EXPECT_EQ(document.CurrentFileName(), saved);
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(messages.asked, 0) << "nothing to ask at start-up";

    const ElementsTable::Snapshot before = table.TakeSnapshot();
    document.OpenFile(QDir(dir.path()).filePath("缺少.efs"));
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_EQ(table.TakeSnapshot(), before);
    EXPECT_EQ(document.CurrentFileName(), saved);
}

// A paste stops at the cell limit with a reason; a file that holds longer
// texts opens whole and the status line names those cells.
TEST_F(ShellFixture, CellTextsBeyondTheLimitAreRefusedButLoadedWhole) {
    const QString longest(ElementsTable::kMaxCellCharacters, u'9');
    table.SetCurrentCell(3, kBottomWidthColumn);
    Paste(qPrintable(longest + u'9'));
    EXPECT_EQ(status.back(),
              "剪贴板中有超过 10000 个字符的文字（每格最多 10000 个字符），没有粘贴。");
    Paste(qPrintable(longest));
    EXPECT_EQ(table.GetCellText(3, kBottomWidthColumn), longest);

    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("长.efs");
    const QString tooLong(qsizetype{1'000'000}, u'x');
    for (const int row : {2, 5, 7, 9}) table.SetCellText(row, kBottomWidthColumn, tooLong);
    table.SetCellText(4, kDepthColumn, tooLong);
    ASSERT_TRUE(SaveToFile(table, path).ok());
    table.SetCellText(9, kBottomWidthColumn, "");
    document.OpenFile(path);
    EXPECT_EQ(table.GetCellText(9, kBottomWidthColumn), tooLong);
    EXPECT_EQ(status.back(),
              "第2行“底宽”、第4行“水深”、第5行“底宽”等 5 格的文字超过每格 "
              "10000 个字符的上限，已完整打开。");
}

// Steps keep what changed, and stay within both bounds: the oldest are let
// go, the newest always undoes.
TEST(TableHistoryTest, IsBoundedAndTheNewestStepStillUndoes) {
    ElementsTable table(kRows, kColumns, kFixedRows, kFixedColumns);
    TableHistory history(table);
    const auto letters = [](int i) { return QString(10000, QChar(u'a' + i % 26)); };
    // 40 KB a step (one cell, before and after): the bytes run out first.
    const int steps = static_cast<int>(TableHistory::kMaxBytes / 40000) + 40;
    for (int i = 0; i < steps; ++i) {
        const TableHistory::Step step(history, "粘贴");
        table.SetCellText(2, kBottomWidthColumn, letters(i));
    }
    EXPECT_LE(history.HeldBytes(), TableHistory::kMaxBytes);
    history.Undo();
    EXPECT_EQ(table.GetCellText(2, kBottomWidthColumn), letters(steps - 2));
    int undone = 1;
    for (; history.CanUndo(); ++undone) history.Undo();
    EXPECT_LT(undone, steps);
    for (int i = 0; i < TableHistory::kMaxSteps + 100; ++i) {
        const TableHistory::Step step(history, "编辑");
        table.SetCellText(3, kDepthColumn, i);
    }
    EXPECT_EQ(history.Stack().count(), TableHistory::kMaxSteps);
}

}  // namespace

}  // namespace channel
