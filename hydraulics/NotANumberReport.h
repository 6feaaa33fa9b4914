#pragma once

#include <QString>
#include <span>

namespace channel {

struct RowInputs;

// The status text that names the first of `columns` (in the order given) of
// the row whose whole text is not a number, with the value the calculation
// took from it, e.g. "第3行“底宽”不是数字，按 0 计算！". Empty when every one
// of them is a number. Columns are the five inputs and the discharge, which
// stands for the target (RowInputs::Read).
QString NotANumberMessage(const RowInputs& inputs, std::span<const int> columns);

}  // namespace channel
