#pragma once

#include <QList>
#include <QString>

namespace channel {

class ElementsTable;
struct SectionDetails;

// One formula of a row's calculation with its numbers put in:
// A = (b + m·h)·h = (2.00 + 1.50 × 0.94) × 0.94 = 3.21 m². The parts are rich
// text (an exponent is <sup>…</sup>); the numbers are those the table and
// 断面详情 show, so the report never disagrees with either.
struct FormulaLine {
    QString symbol;
    QString expression;
    QString substituted;
    QString result;
    QString unit;
};

// A, χ, R, C, Q and v of `row` at the table's depth: b, m, h and the results
// as the table shows them, n and i as 断面详情 shows them read. Empty when
// the row holds no results.
QList<FormulaLine> SubstitutedFormulas(const ElementsTable& table, int row,
                                       const SectionDetails& details);

// The number 断面详情 shows for `symbol` ("h0", "n", …); empty when it shows
// none.
QString DetailsNumber(const SectionDetails& details, const QString& symbol);

}  // namespace channel
