#pragma once

#include <optional>
#include <string>

#include "io/Outcome.h"

namespace channel {

// Sizing a trapezoidal canal section for a design discharge, in double
// precision (SI units), with the flow analysis's conveyance relation
// Q = A·R^q·√i / n, q = kChezyExponent + 1/2 (two thirds to rounding). Every
// design that has no answer gives the reason, in Chinese (UTF-8), never a
// number.

// The section's given side slope m, roughness n and bed slope i, and the
// design discharge Q.
struct DesignFlow {
    double sideSlope = 0;
    double roughness = 0;
    double bedSlope = 0;
    double discharge = 0;
};

// A designed section and its uniform flow at the design discharge.
struct DesignedSection {
    double bottomWidth = 0;  // b
    double depth = 0;        // h
    double ratio = 0;        // β = b / h
    double area = 0;
    double wettedPerimeter = 0;
    double velocity = 0;
};

using SectionDesign = Result<DesignedSection, std::string>;
using DesignValue = Result<double, std::string>;

// The uniform flow of width b at depth h for the discharge Q.
DesignedSection SectionAt(double bottomWidth, double sideSlope, double depth, double discharge);

// The hydraulically best section (GB 50288-2018, E.0.1).
SectionDesign BestSection(const DesignFlow& flow);
// The practical economic section whose area is α times the best section's
// (GB 50288-2018, E.0.2), α >= 1.
SectionDesign EconomicSection(const DesignFlow& flow, double alpha);
// The bottom width that carries Q at the depth h.
SectionDesign WidthForDepth(const DesignFlow& flow, double depth);
// The depth and width for the width-to-depth ratio β = b / h.
SectionDesign SectionForRatio(const DesignFlow& flow, double ratio);
// The bed slope, or the roughness, at which the section b, m carries Q at h
// (flow.bedSlope, or flow.roughness, is what is sought and not read).
DesignValue SlopeForSection(const DesignFlow& flow, double bottomWidth, double depth);
DesignValue RoughnessForSection(const DesignFlow& flow, double bottomWidth, double depth);

// The α of the economic sections the design shows beside the best one.
inline constexpr double kEconomicAlphas[] = {1.01, 1.02, 1.03, 1.04, 1.05};

// The percentage by which the design discharge is enlarged (加大百分数), the
// lower figure of the standard's range for the discharge's class.
double DefaultIncreasePercent(double designDischarge);

// The freeboard of a canal bank of grade 4 or 5 above the enlarged depth hb.
double BankFreeboard(double enlargedDepth);

// `value` to the nearest multiple of `step`, or up to the next one; `value`
// itself when the step is not above zero.
double RoundToStep(double value, double step);
double RoundUpToStep(double value, double step);

// What the user gives besides the section for the enlarged discharge, the
// bank and the velocity limits; every part may be missing.
struct DesignAllowances {
    std::optional<double> increasePercent;    // p, % (default by the discharge)
    std::optional<double> enlargedDischarge;  // Q加大 typed; outweighs p
    std::optional<int> grade;                 // canal grade 1..5 (default 5)
    std::optional<double> freeboard;          // Fb typed; outweighs the grade
    std::optional<double> minimumDischarge;   // Q最小
    std::optional<double> scourLimit;         // v不冲, the largest velocity allowed
    std::optional<double> siltLimit;          // v不淤, the smallest velocity allowed
    std::optional<double> depthStep;          // H rounded up to it (default 0.05 m)
    std::optional<double> widthStep;          // b rounded to it (default 0.05 m)
    bool operator==(const DesignAllowances&) const = default;
};

inline constexpr double kDefaultStep = 0.05;  // m
inline constexpr int kDefaultGrade = 5;

// One velocity limit against the velocity it bounds.
struct VelocityCheck {
    double velocity = 0;
    double limit = 0;
    bool holds = true;
    double excess = 0;  // how far beyond the limit, m/s; 0 when it holds
};

// The bank and velocity figures of the section b, m, n, i at Q.
struct DesignChecks {
    double increasePercent = 0;  // p used (from Q加大 when that was typed)
    double enlargedDischarge = 0;
    double enlargedDepth = 0;  // hb
    double enlargedVelocity = 0;
    std::optional<double> freeboard;     // Fb; none for grades 1–3 without one typed
    std::string freeboardReason;         // why there is no Fb
    std::optional<double> canalDepth;    // H = hb + Fb rounded up
    std::optional<double> minimumDepth;  // at Q最小
    std::optional<VelocityCheck> scour;
    std::optional<VelocityCheck> silt;  // at the smallest discharge given
};

// The figures, or why there are none (no uniform flow at Q加大, a limit or
// an allowance that is not a positive number).
Result<DesignChecks, std::string> CheckDesign(const DesignFlow& flow, double bottomWidth,
                                              const DesignAllowances& allowances);

}  // namespace channel
