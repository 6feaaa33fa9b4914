#include <gtest/gtest.h>

#include <QUndoStack>
#include <algorithm>

#include "app/core/SectionDesignForm.h"
#include "app/core/SectionDetails.h"
#include "app/core/SectionExport.h"
#include "app/document/Document.h"
#include "files/SectionDesignKeys.h"
#include "hydraulics/FlowAnalysis.h"
#include "hydraulics/SectionDesignMessages.h"
#include "support/FileDoubles.h"
#include "support/MemoryClipboard.h"
#include "support/QStringPrinter.h"
#include "table/CellText.h"
#include "table/ElementsLayout.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

using F = DesignField;

// Row 2 as a canal designer leaves it before sizing it: b unknown, m = 1.5,
// n = 0.025, i = 1/2000 and Q = 2 m³/s.
class SectionDesignFormTest : public testing::Test {
  protected:
    SectionDesignFormTest() : document(DocumentSeams{dialogs, messages, clipboard, {}, {}, {}}) {
        ElementsTable& table = document.Table();
        table.SetCellText(2, kBottomWidthColumn, "1");
        table.SetCellText(2, kSideSlopeColumn, "1.5");
        table.SetCellText(2, kRoughnessColumn, "0.025");
        table.SetCellText(2, kBedSlopeColumn, "1/2000");
        table.SetCellText(2, kDischargeColumn, "2");
        table.SetCurrentCell(2, kBottomWidthColumn);
    }

    ScriptedFileDialogs dialogs;
    ScriptedFileMessages messages;
    MemoryClipboard clipboard;
    Document document;
};

TEST_F(SectionDesignFormTest, AdoptingWritesTheWidthCalculatesTheRowAndUndoesAsOneStep) {
    ElementsTable& table = document.Table();
    const ElementsTable::Snapshot before = table.TakeSnapshot();
    SectionDesignForm form = FormForRow(table, 2);
    EXPECT_EQ(form.Text(F::kDischarge), "2");
    form.chosen = 4;  // α = 1.04
    form.Text(F::kScourLimit) = "0.9";
    const DesignOutcome outcome = Evaluate(form);
    ASSERT_EQ(outcome.candidates.size(), 6);
    EXPECT_EQ(outcome.candidates[4].label, "实用经济断面 α=1.04");
    EXPECT_EQ(outcome.candidates[4].limits, "满足");
    EXPECT_EQ(outcome.valueText, "2.65");  // 2.656 to 0.05 m

    const auto adoption = AdoptionFor(table, 2, form);
    ASSERT_TRUE(adoption.ok()) << adoption.reason().toStdString();
    const int steps = document.History().count();
    document.AdoptSectionDesign(adoption.value());
    EXPECT_EQ(document.History().count(), steps + 1);
    EXPECT_TRUE(document.Modified());
    EXPECT_EQ(table.GetCellText(2, kBottomWidthColumn), "2.65");
    // The scan's depth for the design discharge: the first 0.01 step above
    // the exact 0.8312.
    EXPECT_NEAR(cell_text::Number(table.GetCellText(2, kDepthColumn)).value(), 0.84, 1e-6);
    EXPECT_EQ(table.KeptEntry(2), "2");
    EXPECT_EQ(section_design_keys::Read(table.RowAttachment(2)).scourLimit, 0.9);

    // 断面详情 now shows the design's figures, and the drawing its H and hb.
    const SectionDetails details = DescribeRow(table, 2);
    ASSERT_TRUE(details.design.has_value());
    const SectionDimensions section = SectionOf(details);
    EXPECT_DOUBLE_EQ(section.enlargedDepth, details.design->enlargedDepth);
    EXPECT_DOUBLE_EQ(section.canalDepth, *details.design->canalDepth);
    const auto h = std::find_if(details.values.begin(), details.values.end(),
                                [](const SectionDetails::Value& v) { return v.symbol == "H"; });
    ASSERT_NE(h, details.values.end());
    EXPECT_EQ(h->number, "1.40");

    document.Undo();
    EXPECT_EQ(table.TakeSnapshot(), before);
    EXPECT_FALSE(DescribeRow(table, 2).design.has_value());
    document.Redo();
    EXPECT_EQ(table.GetCellText(2, kBottomWidthColumn), "2.65");
    EXPECT_FALSE(table.RowAttachment(2).isEmpty());
}

// 求纵坡 for the section the row has: the slope written makes the row carry
// its design discharge at the depth given.
TEST_F(SectionDesignFormTest, AdoptingASlopeKeepsTheFormsWidth) {
    ElementsTable& table = document.Table();
    SectionDesignForm form = FormForRow(table, 2);
    form.mode = DesignMode::kSlope;
    form.Text(F::kBottomWidth) = "2";
    form.Text(F::kDepth) = "0.9";
    const auto adoption = AdoptionFor(table, 2, form);
    ASSERT_TRUE(adoption.ok()) << adoption.reason().toStdString();
    document.AdoptSectionDesign(adoption.value());
    const double slope = cell_text::Number(table.GetCellText(2, kBedSlopeColumn)).value();
    EXPECT_NEAR(DischargeAtDepth(2, 1.5, 0.025, slope, 0.9), 2, 1e-4);
    EXPECT_EQ(table.GetCellText(2, kBottomWidthColumn), "2");
}

// Every field the mode reads says what is wrong with it; the others are
// not read.
TEST_F(SectionDesignFormTest, FaultsAreNamedBesideTheirFields) {
    struct Case {
        DesignMode mode;
        F field;
        const char* text;
        const char* fault;
    };
    const Case cases[] = {
        {DesignMode::kEconomic, F::kDischarge, "", "请填写此项。"},
        {DesignMode::kEconomic, F::kRoughness, "n", "不是有效的数字。"},
        {DesignMode::kEconomic, F::kBedSlope, "-1/2000", design_messages::kSlopeNotPositive},
        {DesignMode::kWidthForDepth, F::kDepth, "", "请填写此项。"},
        {DesignMode::kWidthForRatio, F::kRatio, "-2", design_messages::kRatioNegative},
        {DesignMode::kEconomic, F::kScourLimit, "0", design_messages::kLimitNotPositive},
        {DesignMode::kEconomic, F::kWidthStep, "-0.05", design_messages::kStepNegative},
    };
    for (const Case& c : cases) {
        SectionDesignForm form = FormForRow(document.Table(), 2);
        form.mode = c.mode;
        form.Text(c.field) = QString::fromUtf8(c.text);
        const DesignOutcome outcome = Evaluate(form);
        SCOPED_TRACE(c.text);
        ASSERT_EQ(outcome.faults.size(), 1u);
        EXPECT_EQ(outcome.faults.begin()->first, c.field);
        EXPECT_EQ(outcome.faults.begin()->second, QString::fromUtf8(c.fault));
        EXPECT_FALSE(outcome.reason.isEmpty());
        EXPECT_FALSE(AdoptionFor(document.Table(), 2, form).ok());
    }
    // 求糙率 does not read the roughness.
    SectionDesignForm form = FormForRow(document.Table(), 2);
    form.mode = DesignMode::kRoughness;
    form.Text(F::kRoughness) = "n";
    form.Text(F::kDepth) = "0.9";
    EXPECT_TRUE(Evaluate(form).faults.empty());
}

}  // namespace

}  // namespace channel
