#pragma once

#include <QString>
#include <span>

namespace channel {

struct RowInputs;

// The status text that names the first of `columns` (in the order given) of
// the row whose whole text is not a number, with the value the calculation
// took from it, e.g. "第3行“底宽”不是数字，按 0 计算！". Empty when every one
// of them is a number. A text whose one comma may group thousands is named
// as ambiguous instead ("第3行“底宽”1,250 的逗号是千位分隔还是小数点不明确，按 1 计算！"). Columns
// are the five inputs and the discharge, which stands for the target (RowInputs::Read).
QString NotANumberMessage(const RowInputs& inputs, std::span<const int> columns);

}  // namespace channel
