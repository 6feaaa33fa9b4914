#pragma once

#include <QString>
#include <functional>

#include "hydraulics/ChannelElements.h"
#include "hydraulics/RowInputs.h"  // TargetDischargeText
#include "table/ElementsTable.h"

namespace channel {

// What a row calculation works on: the table, the program-wide working
// record and target discharge (both keep their values between runs), and
// the status line.
struct CalculationContext {
    ElementsTable& table;
    ChannelElements& workingRecord;
    float& targetDischarge;
    std::function<void(const QString&)> showStatus;  // replaces the status line's whole text
};

// Calculates the current row. Prompts for the first empty input among
// bottom width, side slope, roughness and bed slope and moves the current
// cell there. Then, in depth-known mode with a depth present, writes the six
// elements into their columns; otherwise (discharge-known mode, or no depth)
// finds the depth with FindDepthForDischarge. Does nothing when the table has
// no current cell. Never writes the five input columns except the depth found
// by the scan.
void CalculateCurrentRow(CalculationContext& context, bool depthKnownMode);

// The same calculation for `row` (a section row), current or not. Only a missing
// input moves the current cell, to that input. When an input it read is
// not a number, the status line names it instead of the outcome; a result
// from implausible inputs, or an implausible result, is named instead of the
// welcome text (PlausibilityMessage).
void CalculateRow(CalculationContext& context, int row, bool depthKnownMode);

// Finds the depth of the current row for its target discharge and writes it
// into the depth column with the six elements into theirs; the computed
// discharge goes into the discharge column, the design discharge stays. A
// depth already in the row is ignored. When the target is not above zero or
// cannot be reached within the depth bound, the row is left unchanged and the
// status line says why.
void FindDepthForDischarge(CalculationContext& context);

}  // namespace channel
