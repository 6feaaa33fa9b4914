#pragma once

#include <QString>

#include "cad/SectionDrawing.h"
#include "io/Outcome.h"

namespace channel {

class ElementsTable;
struct SectionDetails;

// The section `details` describes: b, m and the table's depth from the row,
// h0 and hk from the exact analysis of its target discharge.
SectionDimensions SectionOf(const SectionDetails& details);

// The cross-section of `row` as 断面图转入cad draws it (SectionOf its
// details). Or, for no row, an incomplete row, a row without a depth or a
// section that is no section, why nothing can be drawn (in Chinese).
Result<SectionDimensions, QString> SectionToDraw(const ElementsTable& table, int row);

}  // namespace channel
