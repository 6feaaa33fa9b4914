#pragma once

#include <limits>
#include <string>

namespace channel {

// Uniform and critical flow of a trapezoidal section, solved exactly in
// double precision (SI units: m, s, m³/s). The conveyance relation is the
// table's own, C = R^kChezyExponent / n and Q = A·C·√(R·i), so the exact
// normal depth lies within the 0.01 step below the depth the scan finds.

inline constexpr double kGravity = 9.81;         // m/s²
inline constexpr double kWaterDensity = 1000.0;  // kg/m³

// Froude numbers within this relative distance of 1, and bed slopes within
// it of the critical slope, count as critical; the band only absorbs
// rounding, so a real section is practically never called critical.
inline constexpr double kCriticalBand = 1e-6;

enum class FlowRegime { kUndetermined, kSubcritical, kCritical, kSupercritical };
enum class SlopeClass { kUndetermined, kMild, kCritical, kSteep, kHorizontal, kAdverse };

struct FlowAnalysis {
    static constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

    double discharge = kNaN;  // the discharge analysed
    double normalDepth = kNaN;
    double criticalDepth = kNaN;
    double criticalSlope = kNaN;  // the bed slope whose normal depth is the critical depth

    // The uniform flow at the normal depth.
    double area = kNaN;
    double wettedPerimeter = kNaN;
    double hydraulicRadius = kNaN;
    double topWidth = kNaN;
    double hydraulicDepth = kNaN;  // area / top width
    double velocity = kNaN;
    double froudeNumber = kNaN;
    double specificEnergy = kNaN;  // depth + velocity head
    double shearStress = kNaN;     // mean bed shear stress ρ·g·R·i, N/m²
    FlowRegime regime = FlowRegime::kUndetermined;
    SlopeClass slopeClass = SlopeClass::kUndetermined;

    // Why there is no uniform flow, in Chinese (UTF-8); empty when there is.
    std::string reason;

    // Function evaluations the two depth solutions took after their start.
    int normalDepthSteps = 0;
    int criticalDepthSteps = 0;

    bool HasUniformFlow() const { return reason.empty(); }
};

// Normal depth, critical depth and slope, and the uniform flow's elements.
// Without uniform flow (bed slope <= 0 or not finite, roughness <= 0,
// discharge <= 0, no section) every value at the normal depth is NaN and
// `reason` says why; the critical depth is still given whenever the section
// and the discharge allow it, and the critical slope when the roughness does
// too. Both depths solve their equation to a relative error far below 1e-9.
FlowAnalysis AnalyseFlow(double bottomWidth, double sideSlope, double roughness, double bedSlope,
                         double discharge);

// The normal depth alone, as AnalyseFlow finds it, without the rest of the
// analysis; NaN where AnalyseFlow gives no uniform flow for these inputs
// (the overflow check on the elements at that depth aside).
double NormalDepth(double bottomWidth, double sideSlope, double roughness, double bedSlope,
                   double discharge);

// The discharge at `depth` by the same relation, in double precision: the
// rating curve the analysis inverts.
double DischargeAtDepth(double bottomWidth, double sideSlope, double roughness, double bedSlope,
                        double depth);

// Chinese names: 缓流 / 临界流 / 急流 and 缓坡 / 临界坡 / 陡坡 / 平坡 / 逆坡;
// empty for kUndetermined.
const char* RegimeName(FlowRegime regime);
const char* SlopeClassName(SlopeClass slopeClass);

}  // namespace channel
