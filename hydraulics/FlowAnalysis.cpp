#include "hydraulics/FlowAnalysis.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "hydraulics/ChannelElements.h"
#include "hydraulics/FlowAnalysisMessages.h"

namespace channel {

namespace {

namespace msg = flow_messages;

// Q = K·√i / n with the conveyance K = A·R^p = A^(1+p) / P^p.
constexpr double kConveyanceExponent = kChezyExponent + 0.5;

struct Trapezoid {
    double bottomWidth;
    double sideSlope;
    double bankPerDepth;  // wetted bank length per unit of depth, √(1 + m²)

    Trapezoid(double b, double m)
        : bottomWidth(b), sideSlope(m), bankPerDepth(std::sqrt(m * m + 1.0)) {}
    double Area(double h) const { return (bottomWidth + sideSlope * h) * h; }
    double WettedPerimeter(double h) const { return bottomWidth + 2.0 * bankPerDepth * h; }
    double TopWidth(double h) const { return bottomWidth + 2.0 * sideSlope * h; }
};

// The logarithms of the section's widths, which both depth solutions start
// from; -inf for a width of 0.
struct LogWidths {
    double bottomWidth;
    double sideSlope;
};

// One trial at a depth: the equation's value there, whose sign tells on
// which side of the root the depth lies, and the depth to try next.
struct Trial {
    double value;
    double next;
};

struct Solution {
    double depth = FlowAnalysis::kNaN;
    int steps = 0;  // trials after the first
};

// Even a plain Newton step of relative size s leaves an error of about C·s²,
// where C is half the relative curvature of the equation: below 2 for the
// normal depth in ln h (slope >= 1, curvature <= 3.5) and below 3 for the
// critical depth (A³ grows at most like h⁶); Halley's step leaves less. A
// step of 3e-6 thus leaves an error below 3e-11, thirty times under the 1e-9
// asked for, and saves the trial that a tighter test would spend on it.
constexpr double kStepTolerance = 3e-6;
// Relative width at which a bisected bracket counts as converged.
constexpr double kBracketTolerance = 1e-14;
constexpr int kMaxSteps = 200;

// exp(x) for the small steps near a root by its Taylor series, which is
// exact to rounding there (the last term left out is below 1e-8·x); wider
// steps are only way points and take the library's exp.
double StepFactor(double x) {
    if (std::fabs(x) > 1.0 / 64) return std::exp(x);
    return 1 + x * (1 + x * 0.5 * (1 + x * (1.0 / 3) * (1 + x * 0.25)));
}

// Halley's step for an equation with this value, slope and curvature: the
// Newton step −value/slope stretched by 1/(1 − t), t = value·curvature /
// (2·slope²), which makes the convergence cubic. Far from the root, where
// |t| > 1/2, it is the Newton step, so the step keeps Newton's direction and
// stays within 2/3 to 2 times its length.
double HalleyStep(double value, double slope, double curvature) {
    const double squaredSlope = slope * slope;
    const double valueTimesCurvature = value * curvature;
    if (std::fabs(valueTimesCurvature) > squaredSlope) return -value / slope;
    return -2 * value * slope / (2 * squaredSlope - valueTimesCurvature);
}

double Midpoint(double low, double high) {
    return low > 0 ? std::sqrt(low * high) : 0.5 * (low + high);
}

// Halley's (or Newton's) method kept inside a bracket [low, high] around the
// root of an increasing equation. Each trial narrows the bracket; a next
// depth that would leave it is replaced by the bracket's midpoint, so the
// iteration cannot diverge and ends by bisection at worst. `first` is the
// trial at `depth`, which the caller has already made.
template <typename Equation>
Solution RefineInBracket(const Equation& equation, double depth, Trial first, double low,
                         double high) {
    Solution solution;
    Trial trial = first;
    while (trial.value != 0) {
        (trial.value > 0 ? high : low) = depth;
        const bool inside = trial.next >= low && trial.next <= high;
        const double next = inside ? trial.next : Midpoint(low, high);
        const double change = std::fabs(next - depth);
        depth = next;
        if (inside && change <= kStepTolerance * depth) break;
        if (low >= high * (1 - kBracketTolerance) || solution.steps == kMaxSteps) break;
        trial = equation(depth);
        ++solution.steps;
        if (!std::isfinite(trial.value)) return {};
    }
    solution.depth = depth;
    return solution;
}

// In u = ln h: F(u) = (1+p)·ln A − p·ln P − ln(Q·n/√i) = 0, the log of
// the conveyance K(h) = A^(1+p) / P^p against the one needed. Its slope
// F' = (1+p)·hB/A − p·2h√(1+m²)/P lies in [1, 2(1+p)], because hB/A is in
// [1, 2] and 2h√(1+m²)/P in [0, 1]: the equation is nearly a straight line
// in ln h, where two or three trials converge. A step in ln h keeps h
// positive and finite; being 2/3 to 2 Newton steps long, until it first
// crosses the root it moves towards it and cuts the distance to at most
// 1 − (2/3) / (2(1+p)) of what it was, and once it has crossed, the root is
// bracketed. So the search may start from the bracket (0, ∞).
Solution SolveNormalDepth(const Trapezoid& section, const LogWidths& logs, double logConveyance) {
    constexpr double p = kConveyanceExponent;
    const auto equation = [&](double h) {
        const double area = section.Area(h);
        const double perimeter = section.WettedPerimeter(h);
        const double value = (1 + p) * std::log(area) - p * std::log(perimeter) - logConveyance;
        // With X = hB/A and Y = 2h√(1+m²)/P: F' = (1+p)X − pY and
        // F'' = (1+p)(X − X² + 2mh²/A) − p(Y − Y²).
        const double perAreaPerimeter = 1 / (area * perimeter);
        const double x = h * section.TopWidth(h) * perimeter * perAreaPerimeter;
        const double y = 2.0 * section.bankPerDepth * h * area * perAreaPerimeter;
        const double slope = (1 + p) * x - p * y;
        const double curvature =
            (1 + p) * (x - x * x + 2 * section.sideSlope * h * h * perimeter * perAreaPerimeter) -
            p * (y - y * y);
        return Trial{value, h * StepFactor(HalleyStep(value, slope, curvature))};
    };
    // Start from the section's shapes in the limit: a wide bed
    // (K ≈ b·h^(1+p)) and a triangle (K = m^(1+p)·h^(2+p) / (2√(1+m²))^p),
    // whose depth is never below the root; the wide bed's is close when the
    // bed dominates. A rectangle is bounded from below by both the wide bed
    // and the deep slot (K ≈ b·h·(b/2)^p).
    const double wide = (logConveyance - logs.bottomWidth) / (1 + p);
    const double start = [&] {
        if (section.sideSlope == 0) {
            const double slot = logConveyance - (1 + p) * logs.bottomWidth + p * std::log(2.0);
            return std::max(wide, slot);
        }
        const double triangle =
            (logConveyance - (1 + p) * logs.sideSlope + p * std::log(2 * section.bankPerDepth)) /
            (2 + p);
        return section.bottomWidth > 0 ? std::min(wide, triangle) : triangle;
    }();
    const double depth = std::exp(start);
    const Trial first = equation(depth);
    if (!std::isfinite(first.value)) return {};
    return RefineInBracket(equation, depth, first, 0.0, std::numeric_limits<double>::infinity());
}

// A³ − (Q²/g)·B = 0. The left side is convex in h and negative at h = 0.
// Since A³/B is at least b²h³ and at least m²h⁵/2, the depths at which those
// reach Q²/g both lie above the root: the smaller one is the start and the
// top of the bracket.
Solution SolveCriticalDepth(const Trapezoid& section, const LogWidths& logs, double discharge) {
    const double target = discharge * discharge / kGravity;
    const double m = section.sideSlope;
    const auto equation = [&](double h) {
        const double area = section.Area(h);
        const double topWidth = section.TopWidth(h);
        const double value = area * area * area - target * topWidth;
        const double slope = 3 * area * area * topWidth - 2 * m * target;
        const double curvature = 6 * area * (topWidth * topWidth + m * area);
        return Trial{value, h + HalleyStep(value, slope, curvature)};
    };
    const double logTarget = std::log(target);
    const double rectangle = (logTarget - 2 * logs.bottomWidth) / 3;
    const double triangle = (std::log(2.0) + logTarget - 2 * logs.sideSlope) / 5;
    // Rounding must not put the start below the root when it is the root
    // (a rectangle or a triangle).
    const double depth = std::exp(std::min(rectangle, triangle)) * (1 + 1e-12);
    const Trial first = equation(depth);
    if (!std::isfinite(first.value)) return {};
    // The start is an upper bound beyond rounding; at or below the root it
    // can only be the root itself.
    if (first.value <= 0) return Solution{depth, 0};
    return RefineInBracket(equation, depth, first, 0.0, depth);
}

double ChezyCoefficient(double hydraulicRadius, double roughness) {
    return std::pow(hydraulicRadius, kChezyExponent) / roughness;
}

double CriticalSlope(const Trapezoid& section, double criticalDepth, double roughness,
                     double discharge) {
    const double area = section.Area(criticalDepth);
    const double radius = area / section.WettedPerimeter(criticalDepth);
    const double conveyed = discharge / (area * ChezyCoefficient(radius, roughness));
    return conveyed * conveyed / radius;
}

// `below`, `at` or `above`, as `value` lies below, within or above the
// critical band around `critical`.
template <typename Class>
Class ByCriticalBand(double value, double critical, Class below, Class at, Class above) {
    if (value < critical * (1 - kCriticalBand)) return below;
    if (value > critical * (1 + kCriticalBand)) return above;
    return at;
}

SlopeClass ClassifySlope(double bedSlope, double criticalSlope) {
    if (!std::isfinite(bedSlope)) return SlopeClass::kUndetermined;
    if (bedSlope == 0) return SlopeClass::kHorizontal;
    if (bedSlope < 0) return SlopeClass::kAdverse;
    if (!std::isfinite(criticalSlope)) return SlopeClass::kUndetermined;
    return ByCriticalBand(bedSlope, criticalSlope, SlopeClass::kMild, SlopeClass::kCritical,
                          SlopeClass::kSteep);
}

FlowRegime ClassifyRegime(double froudeNumber) {
    return ByCriticalBand(froudeNumber, 1.0, FlowRegime::kSubcritical, FlowRegime::kCritical,
                          FlowRegime::kSupercritical);
}

// The first reason, in the order section, discharge, roughness, bed slope,
// why the section has no uniform flow; nullptr when it has.
const char* SectionFault(double b, double m) {
    if (!std::isfinite(b) || !std::isfinite(m)) return msg::kSectionNotFinite;
    if (b < 0 || m < 0) return msg::kSectionNegative;
    if (b == 0 && m == 0) return msg::kNoSection;
    return nullptr;
}

const char* DischargeFault(double discharge) {
    if (!(discharge > 0)) return msg::kDischargeNotPositive;
    if (!std::isfinite(discharge)) return msg::kOutOfRange;
    return nullptr;
}

const char* RoughnessFault(double roughness) {
    if (!(roughness > 0)) return msg::kRoughnessNotPositive;
    if (!std::isfinite(roughness)) return msg::kOutOfRange;
    return nullptr;
}

const char* SlopeFault(double bedSlope) {
    if (!std::isfinite(bedSlope)) return msg::kSlopeNotFinite;
    if (bedSlope == 0) return msg::kSlopeHorizontal;
    if (bedSlope < 0) return msg::kSlopeAdverse;
    return nullptr;
}

void FillUniformFlow(FlowAnalysis& flow, const Trapezoid& section, double bedSlope) {
    const double h = flow.normalDepth;
    flow.area = section.Area(h);
    flow.wettedPerimeter = section.WettedPerimeter(h);
    flow.hydraulicRadius = flow.area / flow.wettedPerimeter;
    flow.topWidth = section.TopWidth(h);
    const double perArea = 1 / flow.area;
    flow.hydraulicDepth = flow.area / flow.topWidth;
    flow.velocity = flow.discharge * perArea;
    flow.froudeNumber = flow.velocity * std::sqrt(flow.topWidth * perArea / kGravity);
    flow.specificEnergy = h + flow.velocity * flow.velocity / (2 * kGravity);
    flow.shearStress = kWaterDensity * kGravity * flow.hydraulicRadius * bedSlope;
    flow.regime = ClassifyRegime(flow.froudeNumber);
}

bool UniformFlowIsFinite(const FlowAnalysis& flow) {
    for (double value : {flow.normalDepth, flow.area, flow.wettedPerimeter, flow.hydraulicRadius,
                         flow.topWidth, flow.hydraulicDepth, flow.velocity, flow.froudeNumber,
                         flow.specificEnergy, flow.shearStress}) {
        if (!std::isfinite(value) || value < 0) return false;
    }
    return flow.normalDepth > 0;
}

}  // namespace

FlowAnalysis AnalyseFlow(double bottomWidth, double sideSlope, double roughness, double bedSlope,
                         double discharge) {
    FlowAnalysis flow;
    flow.discharge = discharge;
    flow.slopeClass = ClassifySlope(bedSlope, FlowAnalysis::kNaN);
    if (const char* fault = SectionFault(bottomWidth, sideSlope)) {
        flow.reason = fault;
        return flow;
    }
    if (const char* fault = DischargeFault(discharge)) {
        flow.reason = fault;
        return flow;
    }

    const Trapezoid section(bottomWidth, sideSlope);
    const LogWidths logs{std::log(bottomWidth), std::log(sideSlope)};
    const Solution critical = SolveCriticalDepth(section, logs, discharge);
    flow.criticalDepth = critical.depth;
    flow.criticalDepthSteps = critical.steps;
    if (const char* fault = RoughnessFault(roughness)) {
        flow.reason = fault;
        return flow;
    }
    flow.criticalSlope = CriticalSlope(section, flow.criticalDepth, roughness, discharge);
    flow.slopeClass = ClassifySlope(bedSlope, flow.criticalSlope);
    if (const char* fault = SlopeFault(bedSlope)) {
        flow.reason = fault;
        return flow;
    }

    const double logConveyance = std::log(discharge * roughness / std::sqrt(bedSlope));
    const Solution normal = SolveNormalDepth(section, logs, logConveyance);
    flow.normalDepth = normal.depth;
    flow.normalDepthSteps = normal.steps;
    FillUniformFlow(flow, section, bedSlope);
    if (!UniformFlowIsFinite(flow)) {
        // Inputs so extreme that the arithmetic overflows: keep what is
        // known about critical flow, give no uniform flow.
        flow = FlowAnalysis{.discharge = discharge,
                            .criticalDepth = flow.criticalDepth,
                            .criticalSlope = flow.criticalSlope,
                            .slopeClass = flow.slopeClass,
                            .reason = msg::kOutOfRange,
                            .criticalDepthSteps = flow.criticalDepthSteps};
    }
    return flow;
}

double NormalDepth(double bottomWidth, double sideSlope, double roughness, double bedSlope,
                   double discharge) {
    if (SectionFault(bottomWidth, sideSlope) || DischargeFault(discharge) ||
        RoughnessFault(roughness) || SlopeFault(bedSlope)) {
        return FlowAnalysis::kNaN;
    }
    const Trapezoid section(bottomWidth, sideSlope);
    const LogWidths logs{std::log(bottomWidth), std::log(sideSlope)};
    const double logConveyance = std::log(discharge * roughness / std::sqrt(bedSlope));
    return SolveNormalDepth(section, logs, logConveyance).depth;
}

double DischargeAtDepth(double bottomWidth, double sideSlope, double roughness, double bedSlope,
                        double depth) {
    if (!(depth > 0)) return 0;
    const Trapezoid section(bottomWidth, sideSlope);
    const double area = section.Area(depth);
    const double radius = area / section.WettedPerimeter(depth);
    return area * ChezyCoefficient(radius, roughness) * std::sqrt(radius * bedSlope);
}

const char* RegimeName(FlowRegime regime) {
    // In the enumeration's order.
    static constexpr const char* kNames[] = {"", "缓流", "临界流", "急流"};
    return kNames[static_cast<int>(regime)];
}

const char* SlopeClassName(SlopeClass slopeClass) {
    static constexpr const char* kNames[] = {"", "缓坡", "临界坡", "陡坡", "平坡", "逆坡"};
    return kNames[static_cast<int>(slopeClass)];
}

}  // namespace channel
