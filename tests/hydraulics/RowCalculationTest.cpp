#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "SevenDigits.h"
#include "hydraulics/CalculationMessages.h"
#include "hydraulics/RowCalculation.h"
#include "support/AppTable.h"
#include "table/ElementsLayout.h"
#include "table/NumberReading.h"

namespace channel {

namespace {

namespace msg = calculation_messages;
using namespace elements_table;  // the columns

constexpr int kRow = 3;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString NotANumber(const char* name, const char* used) {
    return Text(msg::kCellNotANumber).arg(kRow).arg(Text(name), Text(used));
}

// A table shaped like the main window's, with a recording status line.
class RowCalculationTest : public testing::Test {
  protected:
    RowCalculationTest()
        : context_{table_, record_, target_,
                   [this](const QString& text) { statuses_.push_back(text); }} {}

    // Fills the value columns of kRow in order; nullptr leaves a cell empty.
    void FillRow(std::initializer_list<const char*> cells) {
        int column = kFirstValueColumn;
        for (const char* cell : cells) {
            if (cell != nullptr) table_.SetCellText(kRow, column, cell);
            ++column;
        }
        table_.SetCurrentCell(kRow, kBottomWidthColumn);
    }
    QStringList RowTexts() const {
        QStringList texts;
        for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
            texts << table_.GetCellText(kRow, column);
        return texts;
    }
    QString Cell(int column) const { return table_.GetCellText(kRow, column); }
    // A written number as its seven significant digits.
    QString Number(int column) const {
        return QString::fromStdString(SevenDigits(ReadCellNumber(Cell(column).toStdString())));
    }
    QStringList Results() const {
        QStringList numbers;
        for (int column = kAreaColumn; column <= kVelocityColumn; ++column)
            numbers << Number(column);
        return numbers;
    }
    QStringList Inputs() const { return RowTexts().mid(0, 5); }

    AppTable table_;
    ChannelElements record_;
    float target_ = 0;
    QStringList statuses_;
    CalculationContext context_;
};

TEST_F(RowCalculationTest, NoCurrentCellChangesNothing) {
    table_.SetCellText(kRow, kBottomWidthColumn, "2");
    for (bool depthKnown : {true, false}) {
        CalculateCurrentRow(context_, depthKnown);
        EXPECT_TRUE(statuses_.isEmpty());
        EXPECT_EQ(table_.CurrentRow(), -1);
        EXPECT_EQ(Cell(kAreaColumn), QString());
    }
}

TEST_F(RowCalculationTest, PromptsForFirstMissingInputAndMovesThere) {
    struct Case {
        std::initializer_list<const char*> cells;
        const char* prompt;
        int column;
    } const cases[] = {
        {{nullptr, nullptr, "1", "0.025", "0.0005"}, kEnterBottomWidth, kBottomWidthColumn},
        {{"2", nullptr, "1", "0.025", "0.0005"}, kEnterSideSlope, kSideSlopeColumn},
        // The depth prompt comes only after the four inputs are present.
        {{"2", "1.5", nullptr, nullptr, "0.0005"}, kEnterRoughness, kRoughnessColumn},
        {{"2", "1.5", "1", "0.025", nullptr}, kEnterBedSlope, kBedSlopeColumn},
    };
    for (const Case& c : cases) {
        for (bool depthKnown : {true, false}) {
            table_.ClearCells(kRow, kFirstValueColumn, kRow, kLastValueColumn);
            statuses_.clear();
            FillRow(c.cells);
            const QStringList before = RowTexts();
            CalculateCurrentRow(context_, depthKnown);
            EXPECT_EQ(statuses_, QStringList{Text(c.prompt)});
            EXPECT_EQ(table_.CurrentRow(), kRow);
            EXPECT_EQ(table_.CurrentColumn(), c.column);
            EXPECT_EQ(RowTexts(), before);
        }
    }
}

TEST_F(RowCalculationTest, DepthKnownWritesElementsAndKeepsInputs) {
    FillRow({"2", "1.5", "1", "0.025", "0.0005", nullptr, nullptr, nullptr, nullptr, "99"});
    CalculateCurrentRow(context_, true);
    EXPECT_EQ(Inputs(), (QStringList{"2", "1.5", "1", "0.025", "0.0005"}));
    EXPECT_EQ(Results(),
              (QStringList{"3.5", "5.605551", "0.6243811", "36.98012", "2.286895", "0.6533985"}));
    EXPECT_EQ(statuses_, QStringList{Text(msg::kWelcome)});

    // A second run reads only the inputs, so it gives the same row.
    const QStringList first = RowTexts();
    CalculateCurrentRow(context_, true);
    EXPECT_EQ(RowTexts(), first);
}

TEST_F(RowCalculationTest, BlankCellIsFilledAndReadsAsZero) {
    FillRow({" ", "1", "1", "0.02", "0.001"});
    CalculateCurrentRow(context_, true);
    EXPECT_EQ(Results(),
              (QStringList{"1", "2.828427", "0.3535534", "42.04482", "0.7905695", "0.7905695"}));
    EXPECT_EQ(statuses_, QStringList{NotANumber("底宽", "0")});
}

TEST_F(RowCalculationTest, DischargeKnownFindsDepthAndReplacesTarget) {
    // The typed depth 5 plays no part and is overwritten.
    FillRow({"2", "1.5", "5", "0.025", "0.0005", nullptr, nullptr, nullptr, nullptr, "2"});
    CalculateCurrentRow(context_, false);
    EXPECT_EQ(Number(kDepthColumn), "0.9399994");
    EXPECT_EQ(Results(), (QStringList{"3.205397", "5.389216", "0.5947798", "36.68197", "2.027672",
                                      "0.6325805"}));
    EXPECT_EQ(Inputs(), (QStringList{"2", "1.5", Cell(kDepthColumn), "0.025", "0.0005"}));
    EXPECT_EQ(statuses_, QStringList{Text(msg::kWelcome)});
    EXPECT_EQ(target_, 2.0f);
}

TEST_F(RowCalculationTest, DepthKnownWithoutDepthGoesThroughTheScan) {
    FillRow({"3", "0", nullptr, "0.014", "0.001", nullptr, nullptr, nullptr, nullptr, "6.20555"});
    CalculateCurrentRow(context_, true);
    EXPECT_EQ(Number(kDepthColumn), "1.209999");
    EXPECT_EQ(Number(kDischargeColumn), "6.276484");
    EXPECT_EQ(statuses_, (QStringList{Text(msg::kEnterDepth), Text(msg::kWelcome)}));
    EXPECT_EQ(table_.CurrentColumn(), kBottomWidthColumn);
}

TEST_F(RowCalculationTest, RowWithoutDepthOrDischargeIsLeftAlone) {
    for (bool depthKnown : {true, false}) {
        table_.ClearCells(kRow, kFirstValueColumn, kRow, kLastValueColumn);
        statuses_.clear();
        FillRow({"2", "1.5", nullptr, "0.025", "0.0005"});
        CalculateCurrentRow(context_, depthKnown);
        const QStringList expected =
            depthKnown ? QStringList{Text(msg::kEnterDepth), Text(msg::kEnterDepthOrDischarge)}
                       : QStringList{Text(msg::kEnterDepthOrDischarge)};
        EXPECT_EQ(statuses_, expected);
        EXPECT_EQ(RowTexts(),
                  (QStringList{"2", "1.5", "", "0.025", "0.0005", "", "", "", "", "", ""}));
        EXPECT_EQ(table_.CurrentColumn(), kBottomWidthColumn);
    }
}

TEST_F(RowCalculationTest, UnusableTargetLeavesRowUnchanged) {
    struct Case {
        const char* slope;
        const char* target;
        const char* message;
    } const cases[] = {
        {"0.0005", "0", msg::kDischargeMustBePositive},
        {"0.0005", "-2", msg::kDischargeMustBePositive},
        {"0.0005", "abc", "第3行“流量”不是数字，按 0 计算！"},
        {"0.0005", "1e-8", msg::kDischargeMustBePositive},
        {"0", "2", msg::kDischargeUnreachable},
        {"0.0005", "1e30", msg::kDischargeUnreachable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        table_.ClearCells(kRow, kFirstValueColumn, kRow, kLastValueColumn);
        statuses_.clear();
        FillRow({"2", "1.5", "0.7", "0.025", c.slope, "old", nullptr, nullptr, nullptr, c.target});
        const QStringList before = RowTexts();
        CalculateCurrentRow(context_, false);
        EXPECT_EQ(statuses_, QStringList{Text(c.message)});
        EXPECT_EQ(RowTexts(), before);
    }
}

TEST_F(RowCalculationTest, NonFiniteResultsAreWrittenButNotWelcomed) {
    struct Case {
        const char* name;
        std::initializer_list<const char*> cells;
        bool depthKnown;
        const char* depthText;
    } const cases[] = {
        {"negative slope scan",
         {"2", "1.5", nullptr, "0.025", "-0.0005", nullptr, nullptr, nullptr, nullptr, "2"},
         false,
         "0.01"},
        {"zero roughness scan",
         {"2", "1.5", nullptr, "0", "0.0005", nullptr, nullptr, nullptr, nullptr, "2"},
         false,
         "0.01"},
        {"zero roughness", {"2", "1.5", "1", "0", "0.0005"}, true, "1"},
        {"zero depth", {"2", "1.5", "0", "0.025", "0.0005"}, true, "0"},
        {"no section", {"0", "0", "0", "0.025", "0.0005"}, true, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table_.ClearCells(kRow, kFirstValueColumn, kRow, kLastValueColumn);
        statuses_.clear();
        FillRow(c.cells);
        CalculateCurrentRow(context_, c.depthKnown);
        EXPECT_EQ(Cell(kDepthColumn), c.depthText);
        for (int column = kAreaColumn; column <= kVelocityColumn; ++column)
            EXPECT_FALSE(Cell(column).isEmpty());
        EXPECT_EQ(statuses_.size(), 1);
        EXPECT_EQ(statuses_.value(0), Text(msg::kResultInvalid));
    }
}

TEST_F(RowCalculationTest, InputThatIsNotANumberIsNamedAndStillCalculated) {
    // The discharge of b 2, m 1.5, n 0.025, i 0.0005 for h 1 ("Q1") and for the
    // target 2 ("Q2"); nullptr where a mistyped cell makes it meaningless.
    const char* const kQ1 = "2.286895";
    const char* const kQ2 = "2.027672";
    struct Case {
        bool depthKnown;
        std::initializer_list<const char*> cells;  // columns 1 to 5, then 10 when given
        QString status;
        const char* discharge;
    } const cases[] = {
        {true, {"2", "1.5", "1", "0.025", "1/2000"}, Text(msg::kWelcome), kQ1},
        {true, {"２", "１．５", "１", "0.025", "0.0005"}, Text(msg::kWelcome), kQ1},  // full width
        {true,
         {"2", "1,5", "1", "0.025", "0.0005", "", "", "", "", "abc"},
         Text(msg::kWelcome),
         kQ1},
        {true, {"2m", "1.5", "1", "0.025", "0.0005"}, NotANumber("底宽", "2"), kQ1},
        {true, {"x", "1.5", "1", "y", "0.0005"}, NotANumber("底宽", "0"), nullptr},
        {true, {"2", "1.5", "abc", "0.025", "0.0005"}, NotANumber("水深", "0"), nullptr},
        {true,
         {"2", "1.5", "1", "0.025", "5,000"},
         Text(msg::kCellAmbiguous).arg(kRow).arg(Text("纵坡"), Text("5,000"), Text("5")),
         nullptr},
        {true, {"1,250.50", "1.5", "1", "0.025", "0.05%"}, Text(msg::kWelcome), nullptr},
        {false,
         {"2", "1.5", "abc", "0.025", "0.0005", "", "", "", "", "2"},
         Text(msg::kWelcome),
         kQ2},
        {false,
         {"2", "1.5", "", "0.025", "0.0005", "", "", "", "", "2 m3/s"},
         NotANumber("流量", "2"),
         kQ2},
        {false,
         {"2", "1.5", "", "0.025", "abc", "", "", "", "", "2"},
         NotANumber("纵坡", "0"),
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        table_.ClearCells(kRow, kFirstValueColumn, kRow, kLastValueColumn);
        statuses_.clear();
        FillRow(c.cells);
        const QStringList inputs = Inputs();
        CalculateCurrentRow(context_, c.depthKnown);
        EXPECT_EQ(statuses_.value(statuses_.size() - 1), c.status);
        EXPECT_TRUE(!c.discharge || Number(kDischargeColumn) == c.discharge)
            << Number(kDischargeColumn).toStdString();
        EXPECT_TRUE(!c.depthKnown || Inputs() == inputs) << "the typed texts stay";
    }
}

TEST_F(RowCalculationTest, ImplausibleValuesAreNamedTogetherInsteadOfTheWelcome) {
    struct Case {
        bool depthKnown;
        std::initializer_list<const char*> cells;  // columns 1 to 5, then 10 when given
        const char* status;
    } const cases[] = {
        {true,
         {"2", "1.5", "1", "0.025", "2000"},
         "第3行纵坡 2000 远大于常见值，是否应为 1/2000？流速 1306.80 m/s 大于 10 m/s！"},
        {true, {"2", "1.5", "1", "0.025", "0.11"}, "第3行纵坡 0.11 远大于常见值！"},
        {true, {"2", "1.5", "1", "0.025", "0"}, "第3行纵坡 0 不大于零！"},
        {true, {"2", "1.5", "1", "0.25", "0.0005"}, "第3行糙率 0.25 不在常见范围 0.008～0.2 内！"},
        {true,
         {"2", "1.5", "1", "0.007", "0.0005"},
         "第3行糙率 0.007 不在常见范围 0.008～0.2 内！"},
        {true, {"-0.5", "1.5", "1", "0.025", "0.0005"}, "第3行底宽 -0.5 为负！"},
        {true, {"2", "-0.5", "1", "0.025", "0.0005"}, "第3行边坡 -0.5 为负！"},
        {true, {"2", "1.5", "1", "0.01", "0.05"}, "第3行流速 16.33 m/s 大于 10 m/s！"},
        {true, {"2", "1.5", "1", "0.2", "0.1"}, "欢迎使用本程序！"},  // the bounds themselves pass
        {false,
         {"2", "1.5", nullptr, "0.025", "1/2", nullptr, nullptr, nullptr, nullptr, "2"},
         "第3行纵坡 0.5 远大于常见值！"},
        {true, {"2", "1.5", "1", "0.025", "2000m"}, nullptr},  // a mistyped cell outweighs
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        table_.ClearCells(kRow, kFirstValueColumn, kRow, kLastValueColumn);
        statuses_.clear();
        FillRow(c.cells);
        CalculateCurrentRow(context_, c.depthKnown);
        const QString expected = c.status ? Text(c.status) : NotANumber("纵坡", "2000");
        EXPECT_EQ(statuses_.value(statuses_.size() - 1), expected);
        EXPECT_FALSE(Cell(kVelocityColumn).isEmpty()) << "calculated as typed";
    }
}

// What a fresh row with the design discharge typed gives at roughness n.
QStringList FreshRowWithTarget(const char* n, const char* target) {
    AppTable table;
    ChannelElements record;
    float targetDischarge = 0;
    CalculationContext context{table, record, targetDischarge, {}};
    const char* cells[] = {"2", "1.5", "", n, "0.0005", "", "", "", "", target, ""};
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
        table.SetCellText(kRow, column, cells[column - kFirstValueColumn]);
    table.SetCurrentCell(kRow, kRoughnessColumn);
    CalculateCurrentRow(context, false);
    QStringList texts;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
        texts << table.GetCellText(kRow, column);
    return texts;
}

// Editing the roughness back and forth recalculates from the typed design
// discharge every time, not from the discharge the last scan wrote.
TEST_F(RowCalculationTest, RoughnessEditsDoNotDriftFromTheDesignDischarge) {
    FillRow({"2", "1.5", nullptr, "0.03", "0.0005", nullptr, nullptr, nullptr, nullptr, "2"});
    for (const char* n : {"0.03", "0.025", "0.02", "0.025", "0.03", "0.025"}) {
        SCOPED_TRACE(n);
        table_.SetCellText(kRow, kRoughnessColumn, n);
        CalculateCurrentRow(context_, false);
        EXPECT_EQ(RowTexts(), FreshRowWithTarget(n, "2"));
        EXPECT_EQ(table_.KeptEntry(kRow), "2");
        EXPECT_EQ(target_, 2.0f);
    }
    EXPECT_EQ(Number(kDepthColumn), "0.9399994");
    EXPECT_EQ(Number(kDischargeColumn), "2.027672");
}

TEST_F(RowCalculationTest, TargetIsTheDesignDischargeWhileThereIsOne) {
    struct Case {
        const char* name;
        const char* typedDischarge;  // nullptr: none typed
        const char* depth;           // of the discharge-known run that follows
    } const cases[] = {
        // The depth-known run overwrites the typed 2 with 2.286895 in the
        // cell; the scan still aims at 2.
        {"typed discharge", "2", "0.9399994"},
        // Nothing typed: the depth-known result is the target.
        {"computed discharge only", nullptr, "1.009999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table_.ClearCells(kRow, kFirstValueColumn, kRow, kLastValueColumn);
        FillRow({"2", "1.5", "1", "0.025", "0.0005", nullptr, nullptr, nullptr, nullptr,
                 c.typedDischarge});
        CalculateCurrentRow(context_, true);
        EXPECT_EQ(Number(kDischargeColumn), "2.286895");
        CalculateCurrentRow(context_, false);
        EXPECT_EQ(Number(kDepthColumn), c.depth);
    }

    // Clearing the discharge cell leaves no target at all.
    table_.ClearCells(kRow, kDischargeColumn, kRow, kDischargeColumn);
    statuses_.clear();
    const QStringList before = RowTexts();
    CalculateCurrentRow(context_, false);
    EXPECT_EQ(statuses_, QStringList{Text(msg::kEnterDepthOrDischarge)});
    EXPECT_EQ(RowTexts(), before);
    EXPECT_EQ(TargetDischargeText(table_, kRow), "");
}

}  // namespace

}  // namespace channel
