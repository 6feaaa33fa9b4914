#pragma once

#include <QString>

#include "hydraulics/ChannelElements.h"

namespace channel {

// The status text naming every implausible input and result of the
// calculated `row` (CheckPlausibility) in one message, e.g.
// "第1行纵坡 2000 远大于常见值，是否应为 1/2000？流速 1306.80 m/s 大于 10 m/s！".
// Empty when there is nothing to name.
QString PlausibilityMessage(int row, const ChannelElements& record);

}  // namespace channel
