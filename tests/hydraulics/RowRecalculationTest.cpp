#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "hydraulics/CalculationMessages.h"
#include "hydraulics/RowRecalculation.h"
#include "table/ElementsTable.h"

namespace {

namespace msg = calculation_messages;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Columns 1 to 11 of a row; nullptr leaves a cell empty.
using Row = std::initializer_list<const char*>;

class RowRecalculationTest : public testing::Test {
  protected:
    RowRecalculationTest()
        : context_{table_, record_, target_,
                   [this](const QString& text) { statuses_.push_back(text); }} {}

    void Fill(int row, Row cells) {
        int column = 1;
        for (const char* cell : cells) table_.SetCellText(row, column++, cell ? cell : "");
    }
    QStringList Texts(int row) const {
        QStringList texts;
        for (int column = 1; column <= 11; ++column) texts << table_.GetCellText(row, column);
        return texts;
    }
    // The row as the single-row calculation leaves it, on a table of its own.
    QStringList CalculatedAlone(Row cells, bool depthKnown) const {
        ElementsTable alone(11, 12, 1, 1);
        ChannelElements record;
        float target = 0;
        CalculationContext context{alone, record, target, {}};
        int column = 1;
        for (const char* cell : cells) alone.SetCellText(2, column++, cell ? cell : "");
        alone.SetCurrentCell(2, 1);
        CalculateCurrentRow(context, depthKnown);
        QStringList texts;
        for (int c = 1; c <= 11; ++c) texts << alone.GetCellText(2, c);
        return texts;
    }

    ElementsTable table_{11, 12, 1, 1};
    ChannelElements record_;
    float target_ = 0;
    QStringList statuses_;
    CalculationContext context_;
};

const Row kDepthRow = {"2", "1.5", "1", "0.025", "0.0005"};
const Row kTargetRow = {"2",     "1.5",   nullptr, "0.025", "0.0005",
                        nullptr, nullptr, nullptr, nullptr, "2"};
const Row kMistypedRow = {"2", "1.5", "1", "0.025", "abc", nullptr, nullptr, nullptr, nullptr, "2"};
const Row kUnreachableRow = {"2",     "1.5",   "1",     "0.025", "0",
                             nullptr, nullptr, nullptr, nullptr, "2"};
const Row kNoTargetRow = {"3", "1", nullptr, "0.02", "0.001"};
const Row kIncompleteRow = {"2", "1.5", "1", nullptr, "0.0005"};

TEST_F(RowRecalculationTest, AllCompleteRowsAreCalculatedInTheModeAndFailuresNamed) {
    struct Case {
        bool depthKnown;
        const char* status;
    } const cases[] = {
        // A level bed carries nothing: fine for a given depth, no depth for a discharge.
        {true,
         "已重算5行，2行有问题：第3行“纵坡”不是数字，按 0 计算！"
         "第6行：请输入水深或者流量！"},
        // Without a discharge, the first row has nothing to find a depth for.
        {false,
         "已重算5行，4行有问题：第1行：请输入水深或者流量！"
         "第3行“纵坡”不是数字，按 0 计算！"
         "第4行：在允许水深范围内达不到该流量，请检查输入数据！第6行：请输入水深或者流量！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depthKnown ? "depth known" : "discharge known");
        table_.ClearCells(1, 1, 10, 11);
        statuses_.clear();
        const std::pair<int, Row> rows[] = {{1, kDepthRow},    {2, kTargetRow},
                                            {3, kMistypedRow}, {4, kUnreachableRow},
                                            {6, kNoTargetRow}, {8, kIncompleteRow}};
        for (const auto& [row, cells] : rows) Fill(row, cells);
        table_.SetCurrentCell(9, 3);

        RecalculateAllRows(context_, c.depthKnown);

        EXPECT_EQ(statuses_, QStringList{Text(c.status)});
        for (const auto& [row, cells] : rows) {
            if (row == 8) continue;
            EXPECT_EQ(Texts(row), CalculatedAlone(cells, c.depthKnown)) << "row " << row;
        }
        EXPECT_EQ(Texts(8).mid(5), QStringList(6, QString())) << "an incomplete row is left alone";
        EXPECT_EQ(table_.CurrentRow(), 9);
        EXPECT_EQ(table_.CurrentColumn(), 3);
    }
}

TEST_F(RowRecalculationTest, EveryRowSucceedingSaysSo) {
    Fill(2, kDepthRow);
    Fill(10, kTargetRow);
    RecalculateAllRows(context_, true);
    EXPECT_EQ(statuses_, QStringList{Text("已重算2行，全部成功！")});
    EXPECT_EQ(Texts(10), CalculatedAlone(kTargetRow, true));
}

TEST_F(RowRecalculationTest, NoCompleteRowIsReported) {
    Fill(2, kIncompleteRow);
    const QStringList before = table_.Cells();
    RecalculateAllRows(context_, true);
    EXPECT_EQ(statuses_, QStringList{Text(msg::kNothingToRecalculate)});
    EXPECT_EQ(table_.Cells(), before);
}

TEST_F(RowRecalculationTest, OnlyCompleteRowsWithChangedReadableCellsAreRecalculated) {
    struct Case {
        const char* name;
        bool depthKnown;
        int column;  // the one cell changed in each row
        bool recalculated;
    } const cases[] = {
        {"bottom width", true, 1, true},
        {"bed slope", false, 5, true},
        {"depth, depth known", true, 3, true},
        {"depth, discharge known", false, 3, false},
        {"target, discharge known", false, 10, true},
        {"discharge, depth known", true, 10, true},
        {"a result only", true, 7, false},
        {"the item column", false, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table_.ClearCells(1, 1, 10, 11);
        statuses_.clear();
        Fill(2, {"2", "1.5", "1", "0.025", "0.0005", "9", "9", "9", "9", "2", "9"});
        Fill(3, {"2", nullptr, "1", "0.025", "0.0005", "9"});
        const QStringList before = table_.Cells();
        for (int row : {2, 3}) table_.SetCellText(row, c.column, "7");

        RecalculateChangedRows(context_, before, c.depthKnown);

        EXPECT_EQ(table_.GetCellText(2, 6) != "9", c.recalculated);
        EXPECT_EQ(statuses_.size(), c.recalculated ? 1 : 0);
        EXPECT_EQ(table_.GetCellText(3, 6), "9") << "an incomplete row is not calculated";
    }
}

}  // namespace
