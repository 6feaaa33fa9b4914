#pragma once

#include <QStringList>
#include <vector>

#include "hydraulics/RowCalculation.h"

namespace channel {

// Recalculating many rows at once, each by CalculateRow, with one summary on
// the status line instead of each row's own message: how many rows were
// calculated, and each that did not end in a plain result with its reason
// (an input that is not a number, an unreachable discharge, ...). The
// current cell stays where it is, and `modified` is not touched.

// Rows whose four section inputs (bottom width, side slope, roughness, bed
// slope) are all filled, in table order.
std::vector<int> CompleteRows(const ElementsTable& table);

// Recalculates every complete row; says so when there is none.
void RecalculateAllRows(CalculationContext& context, bool depthKnownMode);

// After a paste: recalculates every complete row in which a cell that the
// calculation can read in this mode differs from `cellsBefore` (the table's
// Cells() before the paste). Leaves the status line alone when there is
// no such row.
void RecalculateChangedRows(CalculationContext& context, const QStringList& cellsBefore,
                            bool depthKnownMode);

}  // namespace channel
