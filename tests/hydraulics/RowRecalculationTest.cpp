#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "hydraulics/CalculationMessages.h"
#include "hydraulics/RowRecalculation.h"
#include "support/AppTable.h"
#include "table/ElementsLayout.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

// A table shaped like the main window's, with a recording status line. Rows
// are given as the tab-separated texts of the value columns, in order.
struct RowTable {
    void Fill(int row, const char* cells) {
        const QStringList texts = QString::fromUtf8(cells).split(u'\t');
        for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
            table.SetCellText(row, column, texts.value(column - kFirstValueColumn));
    }
    QString Texts(int row) const {
        QStringList texts;
        for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
            texts << table.GetCellText(row, column);
        return texts.join(u'\t');
    }
    // The row as the single-row calculation leaves it, on a table of its own.
    static QString CalculatedAlone(const char* cells, bool depthKnown) {
        RowTable alone;
        alone.Fill(2, cells);
        alone.table.SetCurrentCell(2, kBottomWidthColumn);
        CalculateCurrentRow(alone.context, depthKnown);
        return alone.Texts(2);
    }

    AppTable table;
    ChannelElements record;
    float target = 0;
    QStringList statuses;
    CalculationContext context{table, record, target,
                               [this](const QString& text) { statuses.push_back(text); }};
};

TEST(RowRecalculationTest, AllCompleteRowsAreCalculatedInTheModeAndFailuresNamed) {
    const std::pair<int, const char*> rows[] = {
        {1, "2\t1.5\t1\t0.025\t0.0005"},                // a depth
        {2, "2\t1.5\t\t0.025\t0.0005\t\t\t\t\t2"},      // a target
        {3, "2\t1.5\t1\t0.025\tabc\t\t\t\t\t2"},        // a mistyped slope
        {4, "2\t1.5\t1\t0.025\t0\t\t\t\t\t2"},          // a level bed
        {6, "3\t1\t\t0.02\t0.001"},                     // neither depth nor target
        {8, "2\t1.5\t1\t\t0.0005\t9\t9\t9\t9\t9\t9"}};  // incomplete: left alone
    const std::pair<bool, const char*> modes[] = {
        {true,
         "已重算5行，3行有问题：第3行“纵坡”不是数字，按 0 计算！第4行纵坡 0 不大于零！"
         "第6行：请输入水深或者流量！"},
        {false,
         "已重算5行，4行有问题：第1行：请输入水深或者流量！第3行“纵坡”不是数字，按 0 计算！"
         "第4行：在允许水深范围内达不到该流量，请检查输入数据！第6行：请输入水深或者流量！"}};
    for (const auto& [depthKnown, status] : modes) {
        SCOPED_TRACE(depthKnown ? "depth known" : "discharge known");
        RowTable t;
        for (const auto& [row, cells] : rows) t.Fill(row, cells);
        t.table.SetCurrentCell(9, kDepthColumn);

        RecalculateAllRows(t.context, depthKnown);

        EXPECT_EQ(t.statuses, QStringList{QString::fromUtf8(status)});
        for (const auto& [row, cells] : rows) {
            const QString expected =
                row == 8 ? QString::fromUtf8(cells) : RowTable::CalculatedAlone(cells, depthKnown);
            EXPECT_EQ(t.Texts(row), expected) << "row " << row;
        }
        EXPECT_EQ(t.table.CurrentRow(), 9);
        EXPECT_EQ(t.table.CurrentColumn(), kDepthColumn);
    }
}

TEST(RowRecalculationTest, SaysWhenEveryRowSucceededOrNoneIsComplete) {
    RowTable t;
    t.Fill(2, "2\t1.5\t1\t\t0.0005");
    RecalculateAllRows(t.context, true);
    t.Fill(10, "2\t1.5\t1\t0.025\t0.0005");
    RecalculateAllRows(t.context, true);
    EXPECT_EQ(t.statuses,
              (QStringList{QString::fromUtf8(calculation_messages::kNothingToRecalculate),
                           QString::fromUtf8("已重算1行，全部成功！")}));
}

TEST(RowRecalculationTest, OnlyCompleteRowsWithChangedReadableCellsAreRecalculated) {
    struct Case {
        bool depthKnown;
        int column;  // the one cell changed in each row
        bool recalculated;
    } const cases[] = {{true, kBottomWidthColumn, true},
                       {false, kBedSlopeColumn, true},
                       {true, kDepthColumn, true},
                       {false, kDepthColumn, false},
                       {false, kDischargeColumn, true},
                       {true, kDischargeColumn, true},
                       {true, kWettedPerimeterColumn, false},
                       {false, kItemColumn, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "column " << c.column << " depth known " << c.depthKnown);
        RowTable t;
        t.Fill(2, "2\t1.5\t1\t0.025\t0.0005\t9\t9\t9\t9\t2\t9");
        t.Fill(3, "2\t\t1\t0.025\t0.0005\t9");
        const QStringList before = t.table.Cells();
        for (int row : {2, 3}) t.table.SetCellText(row, c.column, "7");

        RecalculateChangedRows(t.context, before, c.depthKnown);

        EXPECT_EQ(t.table.GetCellText(2, kAreaColumn) != "9", c.recalculated);
        EXPECT_EQ(t.statuses.size(), c.recalculated ? 1 : 0);
        EXPECT_EQ(t.table.GetCellText(3, kAreaColumn), "9")
            << "an incomplete row is not calculated";
    }
}

}  // namespace

}  // namespace channel
