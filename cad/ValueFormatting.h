#pragma once

#include <string>

namespace channel {

// `value` in fixed point with `digitsAfterPoint` digits after the point and
// every digit before it, independent of the process locale. `value` must be
// finite.
std::string FormatFixed(double value, int digitsAfterPoint);

}  // namespace channel
