#pragma once

namespace channel {

// One trapezoidal channel section: five inputs and six hydraulic elements,
// in the order of the elements table's columns 1 to 11. Single precision
// throughout; that precision is part of the results the user sees.
struct ChannelElements {
    float bottomWidth = 0, sideSlope = 0, depth = 0, roughness = 0, bedSlope = 0, area = 0,
          wettedPerimeter = 0, hydraulicRadius = 0, chezyCoefficient = 0, discharge = 0,
          velocity = 0;
};

// Fills area, wetted perimeter, hydraulic radius, Chezy coefficient,
// discharge and velocity (Manning-Chezy, uniform flow) from the five inputs.
//
// Each step is evaluated in double from the stored floats and rounded to
// float before the next step reads it, so later elements are formed from the
// rounded earlier ones. Nothing is range-checked: out-of-range inputs give
// infinities or NaNs as the arithmetic produces them.
void ComputeChannelElements(ChannelElements& record);

// Manning's exponent as the program has always used it: the double nearest
// 0.16666666, not one sixth. The difference shows in the seventh digit only
// for hydraulic radii far from 1 (R = 1e-12 gives C = 0.4000001 with n =
// 0.025, not 0.4).
inline constexpr double kChezyExponent = 0.16666666;

}  // namespace channel
