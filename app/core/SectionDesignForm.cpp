#include "app/core/SectionDesignForm.h"

#include <algorithm>
#include <cmath>

#include "app/core/SectionDesignFigures.h"
#include "files/SectionDesignKeys.h"
#include "hydraulics/FlowAnalysis.h"
#include "hydraulics/RowInputs.h"
#include "hydraulics/SectionDesignMessages.h"
#include "table/CellText.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

namespace msg = design_messages;

constexpr char kEmpty[] = "请填写此项。";
constexpr char kNotANumber[] = "不是有效的数字。";
constexpr char kFixFields[] = "请先改正标出的输入。";
constexpr char kChooseRow[] = "请在表格中选择一行。";

// Reads the form's fields, noting why a field cannot be read.
class FieldReader {
  public:
    FieldReader(const SectionDesignForm& form, DesignOutcome& out) : form_(form), out_(out) {}

    // A field the mode needs: it must be a number above zero (or, when not
    // `positive`, at least zero).
    double Required(DesignField field, bool positive, const char* outOfRange) {
        if (form_.Text(field).trimmed().isEmpty()) {
            out_.faults[field] = QString::fromUtf8(kEmpty);
            return 0;
        }
        return Optional(field, positive, outOfRange).value_or(0);
    }

    std::optional<double> Optional(DesignField field, bool positive, const char* outOfRange) {
        const QString text = form_.Text(field).trimmed();
        if (text.isEmpty()) return std::nullopt;
        const std::optional<double> number = cell_text::Number(text);
        if (!number) {
            out_.faults[field] = QString::fromUtf8(kNotANumber);
            return std::nullopt;
        }
        if (positive ? !(*number > 0) : !(*number >= 0)) {
            out_.faults[field] = QString::fromUtf8(outOfRange);
            return std::nullopt;
        }
        return number;
    }

  private:
    const SectionDesignForm& form_;
    DesignOutcome& out_;
};

bool Needs(DesignMode mode, DesignField field) {
    using F = DesignField;
    using M = DesignMode;
    switch (field) {
        case F::kRoughness:
            return mode != M::kRoughness;
        case F::kBedSlope:
            return mode != M::kSlope;
        case F::kDepth:
            return mode == M::kWidthForDepth || mode == M::kSlope || mode == M::kRoughness;
        case F::kRatio:
            return mode == M::kWidthForRatio;
        case F::kBottomWidth:
            return mode == M::kSlope || mode == M::kRoughness;
        default:
            return true;
    }
}

DesignAllowances ReadAllowances(FieldReader& read, int grade) {
    using F = DesignField;
    DesignAllowances a;
    a.increasePercent = read.Optional(F::kIncreasePercent, false, msg::kPercentNegative);
    a.enlargedDischarge = read.Optional(F::kEnlargedDischarge, true, msg::kDischargeNotPositive);
    a.grade = grade;
    a.freeboard = read.Optional(F::kFreeboard, false, msg::kFreeboardNegative);
    a.minimumDischarge = read.Optional(F::kMinimumDischarge, true, msg::kMinimumNotPositive);
    a.scourLimit = read.Optional(F::kScourLimit, true, msg::kLimitNotPositive);
    a.siltLimit = read.Optional(F::kSiltLimit, true, msg::kLimitNotPositive);
    a.widthStep = read.Optional(F::kWidthStep, false, msg::kStepNegative);
    a.depthStep = read.Optional(F::kDepthStep, false, msg::kStepNegative);
    return a;
}

// The places a multiple of `step` needs: 2 for 0.05; 6 significant digits
// without a step.
QString StepText(double value, double step) {
    if (!(step > 0)) return QString::number(value, 'g', 6);
    int places = 0;
    while (places < 6 && std::fabs(step * std::pow(10.0, places) -
                                   std::round(step * std::pow(10.0, places))) > 1e-9)
        ++places;
    return QString::number(value, 'f', places);
}

// Whether the section's velocities keep within the limits typed.
QString Limits(const DesignFlow& flow, double width, const DesignAllowances& a) {
    if (!a.scourLimit && !a.siltLimit) return {};
    const auto checks = CheckDesign(flow, width, a);
    if (!checks.ok()) return QString::fromStdString(checks.reason());
    QStringList misses;
    if (const auto& s = checks.value().scour; s && !s->holds)
        misses << QStringLiteral("超出不冲流速 %1").arg(s->excess, 0, 'f', 3);
    if (const auto& s = checks.value().silt; s && !s->holds)
        misses << QStringLiteral("低于不淤流速 %1").arg(s->excess, 0, 'f', 3);
    return misses.isEmpty() ? QStringLiteral("满足") : misses.join(QStringLiteral("，"));
}

DesignCandidate Candidate(const char* label, const SectionDesign& design) {
    DesignCandidate c;
    c.label = QString::fromUtf8(label);
    if (design.ok()) {
        c.section = design.value();
    } else {
        c.reason = QString::fromStdString(design.reason());
    }
    return c;
}

QString FieldText(const std::optional<double>& value) {
    return value ? QString::number(*value, 'g', 10) : QString();
}

}  // namespace

SectionDesignForm FormForRow(const ElementsTable& table, int row) {
    using F = DesignField;
    SectionDesignForm form;
    form.Text(F::kWidthStep) = QString::number(kDefaultStep);
    form.Text(F::kDepthStep) = QString::number(kDefaultStep);
    if (row < kFirstSectionRow || row >= table.RowCount()) return form;
    form.Text(F::kSideSlope) = table.GetCellText(row, kSideSlopeColumn);
    form.Text(F::kRoughness) = table.GetCellText(row, kRoughnessColumn);
    form.Text(F::kBedSlope) = table.GetCellText(row, kBedSlopeColumn);
    form.Text(F::kDischarge) = TargetDischargeText(table, row);
    form.Text(F::kBottomWidth) = table.GetCellText(row, kBottomWidthColumn);
    // The depth as the table shows it: a scan's 1.1499993 is its 1.15.
    form.Text(F::kDepth) = table.DisplayText(row, kDepthColumn);
    const QJsonObject kept = table.RowAttachment(row);
    if (kept.isEmpty()) return form;
    const DesignAllowances a = section_design_keys::Read(kept);
    form.Text(F::kIncreasePercent) = FieldText(a.increasePercent);
    form.Text(F::kEnlargedDischarge) = FieldText(a.enlargedDischarge);
    form.Text(F::kFreeboard) = FieldText(a.freeboard);
    form.Text(F::kMinimumDischarge) = FieldText(a.minimumDischarge);
    form.Text(F::kScourLimit) = FieldText(a.scourLimit);
    form.Text(F::kSiltLimit) = FieldText(a.siltLimit);
    if (a.widthStep) form.Text(F::kWidthStep) = FieldText(a.widthStep);
    if (a.depthStep) form.Text(F::kDepthStep) = FieldText(a.depthStep);
    form.grade = a.grade.value_or(kDefaultGrade);
    return form;
}

DesignOutcome Evaluate(const SectionDesignForm& form) {
    using F = DesignField;
    using M = DesignMode;
    DesignOutcome out;
    FieldReader read(form, out);
    const M mode = form.mode;
    DesignFlow flow;
    flow.sideSlope = read.Required(F::kSideSlope, false, msg::kSideSlopeNegative);
    if (Needs(mode, F::kRoughness))
        flow.roughness = read.Required(F::kRoughness, true, msg::kRoughnessNotPositive);
    if (Needs(mode, F::kBedSlope))
        flow.bedSlope = read.Required(F::kBedSlope, true, msg::kSlopeNotPositive);
    flow.discharge = read.Required(F::kDischarge, true, msg::kDischargeNotPositive);
    double depth = 0;
    double ratio = 0;
    double width = 0;
    if (Needs(mode, F::kDepth)) depth = read.Required(F::kDepth, true, msg::kDepthNotPositive);
    if (Needs(mode, F::kRatio)) ratio = read.Required(F::kRatio, false, msg::kRatioNegative);
    if (Needs(mode, F::kBottomWidth))
        width = read.Required(F::kBottomWidth, false, msg::kWidthNegative);
    const DesignAllowances a = ReadAllowances(read, form.grade);
    if (!out.faults.empty()) {
        out.reason = QString::fromUtf8(kFixFields);
        return out;
    }

    switch (mode) {
        case M::kEconomic:
            out.candidates.append(Candidate("水力最佳断面", BestSection(flow)));
            for (double alpha : kEconomicAlphas) {
                DesignCandidate c = Candidate("实用经济断面", EconomicSection(flow, alpha));
                c.label += QStringLiteral(" α=%1").arg(alpha, 0, 'f', 2);
                out.candidates.append(c);
            }
            break;
        case M::kWidthForDepth:
            out.candidates.append(Candidate("已知水深求底宽", WidthForDepth(flow, depth)));
            break;
        case M::kWidthForRatio:
            out.candidates.append(Candidate("已知宽深比求断面", SectionForRatio(flow, ratio)));
            break;
        case M::kSlope:
        case M::kRoughness: {
            const bool slope = mode == M::kSlope;
            const DesignValue found = slope ? SlopeForSection(flow, width, depth)
                                            : RoughnessForSection(flow, width, depth);
            DesignCandidate c;
            c.label = QString::fromUtf8(slope ? "求纵坡" : "求糙率");
            if (!found.ok()) {
                c.reason = QString::fromStdString(found.reason());
                out.reason = c.reason;
                out.candidates.append(c);
                return out;
            }
            (slope ? flow.bedSlope : flow.roughness) = found.value();
            c.section = SectionAt(width, flow.sideSlope, depth, flow.discharge);
            out.candidates.append(c);
            out.column = slope ? kBedSlopeColumn : kRoughnessColumn;
            out.value = found.value();
            out.valueText = QString::number(found.value(), 'g', 6);
            out.width = width;
            out.depth = depth;
            break;
        }
    }
    for (DesignCandidate& c : out.candidates) {
        if (c.section) c.limits = Limits(flow, c.section->bottomWidth, a);
    }

    if (mode != M::kSlope && mode != M::kRoughness) {
        const int chosen = std::clamp(form.chosen, 0, static_cast<int>(out.candidates.size()) - 1);
        const DesignCandidate& c = out.candidates[chosen];
        if (!c.section) {
            out.reason = c.reason;
            return out;
        }
        // The width as it will be built, and the depth it then carries Q at.
        const double step = a.widthStep.value_or(kDefaultStep);
        out.column = kBottomWidthColumn;
        out.value = RoundToStep(c.section->bottomWidth, step);
        out.valueText = StepText(out.value, step);
        out.width = out.value;
        const FlowAnalysis at =
            AnalyseFlow(out.width, flow.sideSlope, flow.roughness, flow.bedSlope, flow.discharge);
        if (!at.HasUniformFlow()) {
            out.reason = QString::fromStdString(at.reason);
            return out;
        }
        out.depth = at.normalDepth;
    }
    const auto checks = CheckDesign(flow, out.width, a);
    if (checks.ok()) {
        out.figures = DesignFigures(checks.value(), true);
        if (!checks.value().freeboardReason.empty())
            out.figuresReason = QString::fromStdString(checks.value().freeboardReason);
    } else {
        out.figuresReason = QString::fromStdString(checks.reason());
    }
    return out;
}

Result<SectionAdoption, QString> AdoptionFor(const ElementsTable& table, int row,
                                             const SectionDesignForm& form) {
    using Adopted = Result<SectionAdoption, QString>;
    using F = DesignField;
    if (row < kFirstSectionRow || row >= table.RowCount())
        return Adopted::Failure(QString::fromUtf8(kChooseRow));
    const DesignOutcome out = Evaluate(form);
    if (!out.reason.isEmpty()) return Adopted::Failure(out.reason);

    SectionAdoption adoption;
    adoption.row = row;
    adoption.column = out.column;
    adoption.text = out.valueText;
    // The section the design was made for becomes the row's, where the form
    // differs from it.
    const auto keep = [&](F field, int column) {
        const QString text = form.Text(field).trimmed();
        if (Needs(form.mode, field) && column != out.column &&
            text != table.GetCellText(row, column))
            adoption.inputs.append({column, text});
    };
    keep(F::kSideSlope, kSideSlopeColumn);
    keep(F::kRoughness, kRoughnessColumn);
    keep(F::kBedSlope, kBedSlopeColumn);
    if (form.mode == DesignMode::kSlope || form.mode == DesignMode::kRoughness)
        keep(F::kBottomWidth, kBottomWidthColumn);
    const QString discharge = form.Text(F::kDischarge).trimmed();
    if (discharge != TargetDischargeText(table, row)) adoption.discharge = discharge;

    DesignOutcome ignored;
    FieldReader read(form, ignored);
    adoption.design =
        section_design_keys::Written(ReadAllowances(read, form.grade), table.RowAttachment(row));
    return Adopted::Success(adoption);
}

}  // namespace channel
