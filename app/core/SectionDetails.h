#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <optional>

#include "hydraulics/FlowAnalysis.h"
#include "hydraulics/SectionDesign.h"
#include "table/ElementsLayout.h"

namespace channel {

class ElementsTable;

// What the section-details window shows for one row of the elements table:
// the section, the table's grid answer beside the exact flow analysis of the
// row's target discharge, and the rating curve. Built from the row's cells
// alone, so it is never older than the table.
struct SectionDetails {
    static constexpr double kNaN = FlowAnalysis::kNaN;

    int row = -1;
    // Why the analysis is missing, in Chinese; empty when the row has uniform
    // flow. An incomplete row gives the same prompt as its calculation.
    QString reason;
    // The section inputs are all present and read (as the calculation reads
    // them); only then are the numbers below anything but NaN.
    bool inputsRead = false;
    double bottomWidth = kNaN, sideSlope = kNaN, roughness = kNaN, bedSlope = kNaN;
    double tableDepth = kNaN;       // the depth cell, NaN when empty
    double tableDischarge = kNaN;   // the discharge cell, NaN when empty
    double designDischarge = kNaN;  // the row's kept design discharge, NaN when none
    bool calculated = false;        // the row holds results (its velocity cell is filled)
    FlowAnalysis flow;              // of the row's target discharge
    // The enlarged discharge, bank and velocity checks of a row that keeps
    // section-design inputs and has uniform flow.
    std::optional<DesignChecks> design;

    // One line of the values list: "临界水深", "hk", "0.4183", "m"; or, with
    // only a name, the heading of the group of lines that follows.
    struct Value {
        QString name;
        QString symbol;
        QString number;
        QString unit;
        bool IsHeading() const { return number.isEmpty(); }
    };
    QList<Value> values;

    bool HasUniformFlow() const { return inputsRead && reason.isEmpty(); }
    // Whether the details are of a section row at all (-1: none).
    bool HasRow() const { return row >= elements_table::kFirstSectionRow; }
    // The depth the section drawing and the curve reach up to: about half
    // again the largest depth there is to show.
    double DepthScale() const;
};

// The details of `row` (a section row) as the table holds it now.
SectionDetails DescribeRow(const ElementsTable& table, int row);

// The details as plain text, one value per line, for the clipboard.
QString DetailsText(const SectionDetails& details);

// Points (discharge, depth) of Q(h) from depth 0 to DepthScale(); empty
// without uniform flow.
QList<QPointF> RatingCurve(const SectionDetails& details, int points);

}  // namespace channel
