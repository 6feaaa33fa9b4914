#pragma once

#include <QString>
#include <optional>

#include "table/ElementsLayout.h"

namespace channel {

class ElementsTable;
struct ChannelElements;

// One cell a row calculation reads, as read: its text, the value the
// calculations take from it, whether its whole text is a number, and
// whether it is not one only for a comma that may group thousands.
struct InputCell {
    QString text;
    float value = 0;
    bool isNumber = false;
    bool ambiguous = false;
    bool IsEmpty() const { return text.isEmpty(); }  // blanks count as content
};

// What the row calculations read of one section row, read once before any
// result is written back into it.
struct RowInputs {
    int row = -1;
    InputCell bottomWidth, sideSlope, depth, roughness, bedSlope;
    InputCell discharge;      // the discharge cell as it is now
    QString designDischarge;  // the row's design discharge; "" when it has none
    InputCell target;         // the discharge aimed at (TargetDischargeText)

    // The cell of `column` as a calculation reads it: one of the five inputs,
    // or for the discharge column the target.
    const InputCell& Read(int column) const;
    // The first of the four section inputs that is empty, with its prompt.
    std::optional<elements_table::RequiredInput> FirstMissing() const;
    // Puts bottom width, side slope, roughness and bed slope into `record`.
    void CopySectionInputs(ChannelElements& record) const;
};

RowInputs ReadRowInputs(const ElementsTable& table, int row);

// The discharge the row's calculation aims at: its design discharge (the
// entry the elements table keeps of its discharge column), or when it has
// none (a discharge the depth-known calculation wrote), the text of its
// discharge cell.
QString TargetDischargeText(const ElementsTable& table, int row);

// The cells each kind of calculation reads, in column order; the discharge
// column stands for the target.
inline constexpr int kDepthKnownInputs[] = {
    elements_table::kBottomWidthColumn, elements_table::kSideSlopeColumn,
    elements_table::kDepthColumn, elements_table::kRoughnessColumn,
    elements_table::kBedSlopeColumn};
inline constexpr int kScanInputs[] = {
    elements_table::kBottomWidthColumn, elements_table::kSideSlopeColumn,
    elements_table::kRoughnessColumn, elements_table::kBedSlopeColumn,
    elements_table::kDischargeColumn};

// Whether a row calculation in this mode can read `column`: the scan's
// inputs always (depth-known mode scans a row without a depth), the depth
// in depth-known mode.
bool MayBeRead(int column, bool depthKnownMode);

}  // namespace channel
