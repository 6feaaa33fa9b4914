#include "app/core/SectionDetails.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/core/SectionDesignFigures.h"
#include "files/SectionDesignKeys.h"
#include "hydraulics/CalculationMessages.h"
#include "hydraulics/NotANumberReport.h"
#include "hydraulics/RowInputs.h"
#include "table/ElementsLayout.h"
#include "table/ElementsTable.h"

namespace channel {

using namespace elements_table;  // the columns

namespace {

namespace calc = calculation_messages;

constexpr char kChooseRow[] = "请在表格中选择一行。";

// The value the calculation reads from a cell; NaN for an empty one.
double ValueOrNaN(const InputCell& cell) {
    return cell.IsEmpty() ? SectionDetails::kNaN : cell.value;
}

QString Fixed(double value, int decimals) {
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QString();
}

// Slopes and roughness span decades: four significant digits, no exponent
// down to 1e-6.
QString Significant(double value) {
    if (!std::isfinite(value)) return QString();
    if (value == 0) return QStringLiteral("0");
    const int decimals =
        std::max(0, 3 - static_cast<int>(std::floor(std::log10(std::fabs(value)))));
    return QString::number(value, 'f', std::min(decimals, 10));
}

// Collects the lines of the values list. Lines whose number is missing are
// left out, and so is a heading left with no lines: nothing is shown that
// the row does not determine.
class ValueList {
  public:
    explicit ValueList(QList<SectionDetails::Value>& values) : values_(values) {}
    ~ValueList() { DropEmptyHeading(); }
    void Heading(const char* title) {
        DropEmptyHeading();
        values_.append({QString::fromUtf8(title), {}, {}, {}});
    }
    void Add(const char* name, const char* symbol, const QString& number, const char* unit) {
        if (number.isEmpty()) return;
        values_.append(
            {QString::fromUtf8(name), QString::fromUtf8(symbol), number, QString::fromUtf8(unit)});
    }

  private:
    void DropEmptyHeading() {
        if (!values_.isEmpty() && values_.last().IsHeading()) values_.removeLast();
    }
    QList<SectionDetails::Value>& values_;
};

QString SignedPercent(double fraction) {
    if (!std::isfinite(fraction)) return QString();
    return (fraction >= 0 ? QStringLiteral("+") : QString()) + Fixed(100 * fraction, 2);
}

QString FroudeWithRegime(const FlowAnalysis& f) {
    if (f.regime == FlowRegime::kUndetermined) return QString();
    return Fixed(f.froudeNumber, 3) +
           QStringLiteral("（%1）").arg(QString::fromUtf8(RegimeName(f.regime)));
}

void ListValues(SectionDetails& d) {
    const FlowAnalysis& f = d.flow;
    ValueList list(d.values);
    list.Heading("断面");
    list.Add("底宽", "b", Significant(d.bottomWidth), "m");
    list.Add("边坡系数", "m", Significant(d.sideSlope), "");
    list.Add("糙率", "n", Significant(d.roughness), "");
    list.Add("纵坡", "i", Significant(d.bedSlope), "");
    list.Heading("表中结果（水深步长 0.01）");
    list.Add("表中水深", "h", Fixed(d.tableDepth, 4), "m");
    list.Add("表中流量", "Q", Fixed(d.tableDischarge, 4), "m³/s");
    list.Add("设计流量", "Q设", Fixed(d.designDischarge, 4), "m³/s");
    if (d.HasUniformFlow() && d.calculated) {
        list.Add("表中流量偏差", "ΔQ/Q", SignedPercent(d.tableDischarge / f.discharge - 1), "%");
    }
    list.Heading("均匀流（正常水深）");
    list.Add("正常水深", "h0", Fixed(f.normalDepth, 4), "m");
    list.Add("水面宽", "B", Fixed(f.topWidth, 4), "m");
    list.Add("过水面积", "A", Fixed(f.area, 4), "m²");
    list.Add("水力深度", "A/B", Fixed(f.hydraulicDepth, 4), "m");
    list.Add("流速", "v", Fixed(f.velocity, 4), "m/s");
    list.Add("弗劳德数", "Fr", FroudeWithRegime(f), "");
    list.Add("断面比能", "E", Fixed(f.specificEnergy, 4), "m");
    list.Add("平均切应力", "τ", Fixed(f.shearStress, 2), "N/m²");
    list.Heading("临界流");
    list.Add("临界水深", "hk", Fixed(f.criticalDepth, 4), "m");
    list.Add("临界底坡", "ik", Significant(f.criticalSlope), "");
    list.Add("底坡类型", "", QString::fromUtf8(SlopeClassName(f.slopeClass)), "");
}

}  // namespace

double SectionDetails::DepthScale() const {
    double deepest = 0;
    for (double depth : {tableDepth, flow.normalDepth, flow.criticalDepth})
        if (std::isfinite(depth)) deepest = std::max(deepest, depth);
    return deepest > 0 ? 1.5 * deepest : kNaN;
}

SectionDetails DescribeRow(const ElementsTable& table, int row) {
    SectionDetails d;
    d.row = row;
    if (row < table.FixedRows() || row >= table.RowCount()) {
        d.row = -1;  // no section row: nothing to number
        d.reason = QString::fromUtf8(kChooseRow);
        return d;
    }
    const RowInputs inputs = ReadRowInputs(table, row);
    if (const auto missing = inputs.FirstMissing()) {
        d.reason = QString::fromUtf8(missing->prompt);
        return d;
    }
    // A mistyped input would give an analysis of numbers the user did not
    // mean; say which cell it is instead, as the calculation does.
    std::vector<int> typed = {kBottomWidthColumn, kSideSlopeColumn};
    if (!inputs.depth.IsEmpty()) typed.push_back(kDepthColumn);
    typed.insert(typed.end(), {kRoughnessColumn, kBedSlopeColumn});
    if (!inputs.target.IsEmpty()) typed.push_back(kDischargeColumn);
    const QString notANumber = NotANumberMessage(inputs, typed);
    if (!notANumber.isEmpty()) {
        d.reason = notANumber;
        return d;
    }
    d.inputsRead = true;
    d.calculated = !table.GetCellText(row, kVelocityColumn).isEmpty();
    d.bottomWidth = inputs.bottomWidth.value;
    d.sideSlope = inputs.sideSlope.value;
    d.roughness = inputs.roughness.value;
    d.bedSlope = inputs.bedSlope.value;
    d.tableDepth = ValueOrNaN(inputs.depth);
    d.tableDischarge = ValueOrNaN(inputs.discharge);
    // A design discharge is the target, read as such.
    d.designDischarge =
        inputs.designDischarge.isEmpty() ? SectionDetails::kNaN : inputs.target.value;

    if (inputs.target.IsEmpty()) {
        d.reason = QString::fromUtf8(calc::kEnterDepthOrDischarge);
    } else {
        d.flow =
            AnalyseFlow(d.bottomWidth, d.sideSlope, d.roughness, d.bedSlope, inputs.target.value);
        d.reason = QString::fromStdString(d.flow.reason);
    }
    ListValues(d);
    const QJsonObject kept = table.RowAttachment(row);
    if (!kept.isEmpty() && d.HasUniformFlow()) {
        const auto checks = CheckDesign({d.sideSlope, d.roughness, d.bedSlope, d.flow.discharge},
                                        d.bottomWidth, section_design_keys::Read(kept));
        if (checks.ok()) {
            d.design = checks.value();
            d.values.append(DesignFigures(*d.design, false));
        }
    }
    return d;
}

QString DetailsText(const SectionDetails& details) {
    QStringList lines;
    lines << (details.HasRow() ? QStringLiteral("断面详情　第 %1 行").arg(details.row)
                               : QStringLiteral("断面详情"));
    if (!details.reason.isEmpty()) lines << details.reason;
    for (const SectionDetails::Value& value : details.values) {
        if (value.IsHeading()) {
            lines << QStringLiteral("【%1】").arg(value.name);
            continue;
        }
        QString line = value.name;
        if (!value.symbol.isEmpty())
            line += QStringLiteral(" ") + value.symbol + QStringLiteral(" =");
        line += QStringLiteral(" ") + value.number;
        if (!value.unit.isEmpty()) line += QStringLiteral(" ") + value.unit;
        lines << line;
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QList<QPointF> RatingCurve(const SectionDetails& details, int points) {
    QList<QPointF> curve;
    if (!details.HasUniformFlow() || points < 2) return curve;
    const double top = details.DepthScale();
    for (int k = 0; k < points; ++k) {
        const double depth = top * k / (points - 1);
        curve.append({DischargeAtDepth(details.bottomWidth, details.sideSlope, details.roughness,
                                       details.bedSlope, depth),
                      depth});
    }
    return curve;
}

}  // namespace channel
