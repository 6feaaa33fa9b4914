#include <gtest/gtest.h>

#include <QMap>
#include <cmath>

#include "app/core/SectionDetails.h"
#include "app/core/TableSetUp.h"
#include "hydraulics/CalculationMessages.h"
#include "hydraulics/FlowAnalysisMessages.h"
#include "hydraulics/RowCalculation.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"

namespace channel {

namespace {

using namespace elements_table;  // the columns

constexpr int kRow = 4;

class SectionDetailsTest : public ::testing::Test {
  protected:
    SectionDetailsTest() { SetUpElementsTable(table_); }

    // Types the cells of kRow (nullptr leaves one empty) and calculates the
    // row as the window's table would after the last edit.
    void EnterRow(std::initializer_list<const char*> cells, bool depthKnown = false) {
        table_.ClearCells(kRow, kFirstValueColumn, kRow, kLastValueColumn);
        int column = kFirstValueColumn;
        for (const char* cell : cells) {
            if (cell) table_.SetCellText(kRow, column, cell);
            ++column;
        }
        table_.SetCurrentCell(kRow, kBedSlopeColumn);
        CalculationContext context{table_, record_, target_, {}};
        CalculateCurrentRow(context, depthKnown);
    }
    QMap<QString, QString> Numbers(const SectionDetails& details) const {
        QMap<QString, QString> numbers;
        for (const SectionDetails::Value& value : details.values)
            numbers[value.name] = value.number;
        return numbers;
    }

    ElementsTable table_{kRows, kColumns, kFixedRows, kFixedColumns};
    ChannelElements record_;
    float target_ = 0;
};

TEST_F(SectionDetailsTest, CalculatedRowShowsGridAnswerBesideTheExactFlow) {
    EnterRow({"2", "1.5", nullptr, "0.025", "0.0005", nullptr, nullptr, nullptr, nullptr, "2"});
    const SectionDetails details = DescribeRow(table_, kRow);
    EXPECT_TRUE(details.HasUniformFlow());
    EXPECT_EQ(details.reason, "");
    const QMap<QString, QString> numbers = Numbers(details);
    const std::pair<const char*, const char*> expected[] = {
        {"底宽", "2.000"},
        {"边坡系数", "1.500"},
        {"糙率", "0.02500"},
        {"纵坡", "0.0005000"},
        {"表中水深", "0.9400"},
        {"正常水深", "0.9334"},
        {"表中流量", "2.0277"},
        {"设计流量", "2.0000"},
        {"表中流量偏差", "+1.38"},
        {"临界水深", "0.4183"},
        {"底坡类型", "缓坡"},
        {"水面宽", "4.8001"},
        {"弗劳德数", "0.247（缓流）"},
    };
    for (const auto& [name, number] : expected)
        EXPECT_EQ(numbers.value(QString::fromUtf8(name)), QString::fromUtf8(number)) << name;
    for (const char* name : {"临界底坡", "过水面积", "水力深度", "流速", "断面比能", "平均切应力"})
        EXPECT_FALSE(numbers.value(QString::fromUtf8(name)).isEmpty()) << name;

    const QString text = DetailsText(details);
    EXPECT_TRUE(text.startsWith("断面详情　第 4 行\n"));
    EXPECT_TRUE(text.contains("\n正常水深 h0 = 0.9334 m\n"));
    EXPECT_TRUE(text.contains("\n设计流量 Q设 = 2.0000 m³/s\n"));
    EXPECT_TRUE(text.contains("\n底坡类型 缓坡\n"));
}

// In the depth-known mode the row's computed discharge is the one analysed,
// and the exact depth for it is the typed depth.
TEST_F(SectionDetailsTest, DepthKnownRowAnalysesItsComputedDischarge) {
    EnterRow({"2", "1.5", "1", "0.025", "0.0005"}, true);
    const SectionDetails details = DescribeRow(table_, kRow);
    const QMap<QString, QString> numbers = Numbers(details);
    EXPECT_EQ(numbers.value("正常水深"), "1.0000");
    EXPECT_EQ(numbers.value("表中流量偏差"), "+0.00");
    EXPECT_FALSE(numbers.contains("设计流量"));
}

// A typed design discharge with no calculation yet has no grid answer to
// compare with the exact one.
TEST_F(SectionDetailsTest, UncalculatedRowShowsNoGridDeviation) {
    for (int column = kBottomWidthColumn; column <= kBedSlopeColumn; ++column)
        table_.SetCellText(kRow, column,
                           std::initializer_list<const char*>{"2", "1.5", "", "0.025", "0.0005"}
                               .begin()[column - kBottomWidthColumn]);
    table_.SetCellText(kRow, kDischargeColumn, "2");
    const SectionDetails details = DescribeRow(table_, kRow);
    ASSERT_TRUE(details.HasUniformFlow());
    EXPECT_FALSE(Numbers(details).contains("表中流量偏差"));
    EXPECT_EQ(Numbers(details).value("正常水深"), "0.9334");
}

TEST_F(SectionDetailsTest, IncompleteRowsGiveTheirReasonAndNoNumbers) {
    namespace calc = calculation_messages;
    struct Case {
        const char* name;
        std::initializer_list<const char*> cells;
        const char* reason;
    } const cases[] = {
        {"no bottom width", {nullptr, "1.5", nullptr, "0.025", "0.0005"}, kEnterBottomWidth},
        {"no side slope", {"2", nullptr, nullptr, "0.025", "0.0005"}, kEnterSideSlope},
        {"no roughness", {"2", "1.5", "1", nullptr, "0.0005"}, kEnterRoughness},
        {"no bed slope", {"2", "1.5", "1", "0.025", nullptr}, kEnterBedSlope},
        {"no discharge", {"2", "1.5", nullptr, "0.025", "0.0005"}, calc::kEnterDepthOrDischarge},
        // A mistyped cell is named, as the calculation names it, rather than
        // analysed as the number read from its start.
        {"bottom width not a number",
         {"2m", "1.5", "1", "0.025", "0.0005"},
         "第4行“底宽”不是数字，按 2 计算！"},
        {"depth not a number",
         {"2", "1.5", "abc", "0.025", "0.0005"},
         "第4行“水深”不是数字，按 0 计算！"},
        {"design discharge not a number",
         {"2", "1.5", nullptr, "0.025", "0.0005", nullptr, nullptr, nullptr, nullptr, "2.5m"},
         "第4行“流量”不是数字，按 2.5 计算！"},
    };
    // A complete row first, so that stale numbers would show.
    EnterRow({"2", "1.5", nullptr, "0.025", "0.0005", nullptr, nullptr, nullptr, nullptr, "2"});
    ASSERT_FALSE(DescribeRow(table_, kRow).values.isEmpty());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EnterRow(c.cells);
        const SectionDetails details = DescribeRow(table_, kRow);
        EXPECT_EQ(details.reason, QString::fromUtf8(c.reason));
        EXPECT_FALSE(details.HasUniformFlow());
        EXPECT_FALSE(Numbers(details).contains("正常水深"));
        EXPECT_TRUE(RatingCurve(details, 20).isEmpty());
        EXPECT_TRUE(DetailsText(details).contains(QString::fromUtf8(c.reason)));
    }
    for (int row : {0, -1, 11}) {
        const SectionDetails none = DescribeRow(table_, row);
        EXPECT_EQ(none.reason, "请在表格中选择一行。");
        EXPECT_TRUE(none.values.isEmpty());
        EXPECT_FALSE(DetailsText(none).contains("行\n")) << "no row number for no row";
    }
}

TEST_F(SectionDetailsTest, NoUniformFlowKeepsWhatCriticalFlowGives) {
    struct Case {
        const char* slope;
        const char* roughness;
        const char* reason;
        bool criticalSlope;
    } const cases[] = {
        {"0", "0.025", flow_messages::kSlopeHorizontal, true},
        {"-0.001", "0.025", flow_messages::kSlopeAdverse, true},
        {"0.0005", "0", flow_messages::kRoughnessNotPositive, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        EnterRow(
            {"2", "1.5", nullptr, c.roughness, c.slope, nullptr, nullptr, nullptr, nullptr, "2"});
        const SectionDetails details = DescribeRow(table_, kRow);
        EXPECT_EQ(details.reason, QString::fromUtf8(c.reason));
        const QMap<QString, QString> numbers = Numbers(details);
        EXPECT_EQ(numbers.value("临界水深"), "0.4183");
        EXPECT_EQ(numbers.contains("临界底坡"), c.criticalSlope);
        for (const char* name : {"正常水深", "表中流量偏差", "水面宽", "弗劳德数", "流速"})
            EXPECT_FALSE(numbers.contains(QString::fromUtf8(name))) << name;
    }
}

TEST_F(SectionDetailsTest, RatingCurveRunsThroughTheDesignPoint) {
    EnterRow({"2", "1.5", nullptr, "0.025", "0.0005", nullptr, nullptr, nullptr, nullptr, "2"});
    const SectionDetails details = DescribeRow(table_, kRow);
    const QList<QPointF> curve = RatingCurve(details, 61);
    ASSERT_EQ(curve.size(), 61);
    EXPECT_EQ(curve.first(), QPointF(0, 0));
    // Up to half again the deepest of the table's depth 0.94, h0 and hk.
    EXPECT_NEAR(curve.last().y(), 1.5 * 0.9399994, 1e-6);
    for (qsizetype k = 1; k < curve.size(); ++k) EXPECT_GT(curve[k].x(), curve[k - 1].x());
    // Between the two points around Q = 2 the curve is nearly straight.
    const auto above =
        std::find_if(curve.begin(), curve.end(), [](QPointF p) { return p.x() > 2; });
    ASSERT_NE(above, curve.begin());
    const QPointF low = *(above - 1);
    const QPointF high = *above;
    const double depthAtTwo = low.y() + (2 - low.x()) / (high.x() - low.x()) * (high.y() - low.y());
    EXPECT_NEAR(depthAtTwo, details.flow.normalDepth, 1e-3);
}

}  // namespace

}  // namespace channel
