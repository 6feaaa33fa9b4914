#pragma once

#include <string>

namespace channel {

// The text a table value of `column` is drawn as: a fixed-point decimal, no
// digit grouping, independent of the process locale. Roughness and slope are
// small numbers: at least 3 digits after the point, and as many more as it
// takes to show two significant digits, without trailing zeros beyond the
// third (0.0005 is "0.0005", 0.00035 "0.00035", 0.5 "0.500").
// Every other column has 2 digits, rounded from `value` in single precision
// as the table shows it. `value` must be finite, and within single precision
// for those columns.
std::string FormatDrawnValue(double value, int column);

// `value` in fixed point with `digitsAfterPoint` digits after the point and
// every digit before it, independent of the process locale. `value` must be
// finite.
std::string FormatFixed(double value, int digitsAfterPoint);

}  // namespace channel
