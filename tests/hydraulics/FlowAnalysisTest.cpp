#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>

#include "hydraulics/ChannelElements.h"
#include "hydraulics/DepthScan.h"
#include "hydraulics/FlowAnalysis.h"
#include "hydraulics/FlowAnalysisMessages.h"

namespace channel {

namespace {

namespace msg = flow_messages;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Section {
    double b, m, n, i, q;
};

// The relations written out plainly and solved by bisection: nothing shared
// with the code under test but the Chezy exponent and g.
double ReferenceDischarge(const Section& s, double h) {
    const double area = (s.b + s.m * h) * h;
    const double radius = area / (s.b + 2 * h * std::sqrt(1 + s.m * s.m));
    return area * std::pow(radius, kChezyExponent) / s.n * std::sqrt(radius * s.i);
}

double CriticalExcess(const Section& s, double h) {
    const double area = (s.b + s.m * h) * h;
    return area * area * area / (s.b + 2 * s.m * h) - s.q * s.q / 9.81;
}

// Root of an increasing function that is negative near 0.
double Bisect(const std::function<double(double)>& f) {
    double low = 0;
    double high = 1;
    while (f(high) <= 0) high *= 2;
    for (int k = 0; k < 200 && high - low > 1e-15 * high; ++k) {
        const double mid = 0.5 * (low + high);
        (f(mid) > 0 ? high : low) = mid;
    }
    return 0.5 * (low + high);
}

double ReferenceNormalDepth(const Section& s) {
    return Bisect([&](double h) { return ReferenceDischarge(s, h) - s.q; });
}

double ReferenceCriticalDepth(const Section& s) {
    return Bisect([&](double h) { return CriticalExcess(s, h); });
}

double RelativeError(double value, double reference) {
    return std::fabs(value - reference) / std::fabs(reference);
}

FlowAnalysis Analyse(const Section& s) {
    return AnalyseFlow(s.b, s.m, s.n, s.i, s.q);
}

TEST(FlowAnalysisTest, PublishedSectionsToTheirDigits) {
    struct Case {
        const char* name;
        Section section;
        double normalDepth, criticalDepth, tolerance;
    } const cases[] = {
        {"trapezoid b 6.1", {6.1, 1.5, 0.013, 0.0008, 126}, 3.2864, 2.78316, 5e-5},
        {"the tool's own example", {2, 1.5, 0.025, 0.0005, 2}, 0.933350, kNaN, 5e-7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FlowAnalysis flow = Analyse(c.section);
        ASSERT_TRUE(flow.HasUniformFlow()) << flow.reason;
        EXPECT_NEAR(flow.normalDepth, c.normalDepth, c.tolerance);
        if (!std::isnan(c.criticalDepth)) {
            EXPECT_NEAR(flow.criticalDepth, c.criticalDepth, 5e-6);
        }
    }
}

TEST(FlowAnalysisTest, ExactDepthLiesWithinOneStepBelowTheScansDepth) {
    ChannelElements record{
        .bottomWidth = 2, .sideSlope = 1.5f, .roughness = 0.025f, .bedSlope = 0.0005f};
    const DepthScanResult scan = ScanForDepth(record, 2.0f);
    const FlowAnalysis flow = AnalyseFlow(2, 1.5, 0.025, 0.0005, 2.0);
    EXPECT_LT(flow.normalDepth, scan.solutionDepth);
    EXPECT_GT(flow.normalDepth, scan.solutionDepth - kDepthStep);
}

// Closed forms for the two limiting shapes exercise both starting guesses.
TEST(FlowAnalysisTest, CriticalDepthOfRectangleAndTriangleMatchClosedForms) {
    const double q = 7.5;
    const FlowAnalysis rectangle = AnalyseFlow(3, 0, 0.014, 0.001, q);
    EXPECT_LT(RelativeError(rectangle.criticalDepth, std::cbrt(q * q / (9.81 * 9))), 1e-12);
    const FlowAnalysis triangle = AnalyseFlow(0, 2, 0.014, 0.001, q);
    EXPECT_LT(RelativeError(triangle.criticalDepth, std::pow(2 * q * q / (9.81 * 4), 0.2)), 1e-12);
}

Section RandomSection(std::mt19937_64& random) {
    auto logUniform = [&](double low, double high) {
        return std::exp(
            std::uniform_real_distribution<double>(std::log(low), std::log(high))(random));
    };
    std::uniform_real_distribution<double> unit(0, 1);
    Section s{};
    s.b = unit(random) < 0.1 ? 0 : logUniform(0.05, 80);
    s.m = unit(random) < 0.15 && s.b > 0 ? 0 : logUniform(0.05, 5);
    s.n = logUniform(0.008, 0.08);
    s.i = logUniform(1e-6, 0.2);
    s.q = logUniform(1e-3, 1e4);
    return s;
}

TEST(FlowAnalysisTest, AgreesWithBisectionOnRandomSections) {
    std::mt19937_64 random(20260901);
    int mild = 0;
    int steep = 0;
    for (int k = 0; k < 1500; ++k) {
        const Section s = RandomSection(random);
        SCOPED_TRACE(testing::Message() << "b=" << s.b << " m=" << s.m << " n=" << s.n
                                        << " i=" << s.i << " Q=" << s.q);
        const FlowAnalysis flow = Analyse(s);
        ASSERT_TRUE(flow.HasUniformFlow()) << flow.reason;

        const double h0 = ReferenceNormalDepth(s);
        const double hk = ReferenceCriticalDepth(s);
        EXPECT_LT(RelativeError(flow.normalDepth, h0), 1e-9);
        EXPECT_EQ(NormalDepth(s.b, s.m, s.n, s.i, s.q), flow.normalDepth) << "the same solution";
        EXPECT_LT(RelativeError(ReferenceDischarge(s, flow.normalDepth), s.q), 1e-9);
        EXPECT_LT(RelativeError(flow.criticalDepth, hk), 1e-9);
        // The critical slope's own normal depth is the critical depth.
        Section atCriticalSlope = s;
        atCriticalSlope.i = flow.criticalSlope;
        EXPECT_LT(RelativeError(ReferenceNormalDepth(atCriticalSlope), hk), 1e-9);

        // Newton from the start converges; a solver that fell back to
        // bisection would need dozens of steps.
        EXPECT_LE(flow.normalDepthSteps, 6);
        EXPECT_LE(flow.criticalDepthSteps, 6);

        const double area = (s.b + s.m * h0) * h0;
        const double topWidth = s.b + 2 * s.m * h0;
        const double velocity = s.q / area;
        EXPECT_LT(RelativeError(flow.topWidth, topWidth), 1e-8);
        EXPECT_LT(RelativeError(flow.hydraulicDepth, area / topWidth), 1e-8);
        EXPECT_LT(RelativeError(flow.velocity, velocity), 1e-8);
        EXPECT_LT(RelativeError(flow.froudeNumber, velocity / std::sqrt(9.81 * area / topWidth)),
                  1e-8);
        EXPECT_LT(RelativeError(flow.specificEnergy, h0 + velocity * velocity / (2 * 9.81)), 1e-8);

        // Subcritical flow, a mild slope and a normal depth above the
        // critical one go together.
        if (std::fabs(flow.froudeNumber - 1) > 1e-3) {
            const bool subcritical = flow.froudeNumber < 1;
            EXPECT_EQ(flow.regime,
                      subcritical ? FlowRegime::kSubcritical : FlowRegime::kSupercritical);
            EXPECT_EQ(flow.slopeClass, subcritical ? SlopeClass::kMild : SlopeClass::kSteep);
            EXPECT_EQ(flow.normalDepth > flow.criticalDepth, subcritical);
            ++(subcritical ? mild : steep);
        }
    }
    // The sample covers both sides of critical flow.
    EXPECT_GT(mild, 300);
    EXPECT_GT(steep, 300);
}

TEST(FlowAnalysisTest, UniformFlowElementsOfTheToolsExample) {
    const FlowAnalysis flow = AnalyseFlow(2, 1.5, 0.025, 0.0005, 2);
    const double h = flow.normalDepth;
    const double radius = flow.area / flow.wettedPerimeter;
    EXPECT_DOUBLE_EQ(flow.hydraulicRadius, radius);
    EXPECT_NEAR(flow.shearStress, 1000 * 9.81 * radius * 0.0005, 1e-9);
    EXPECT_NEAR(flow.wettedPerimeter, 2 + 2 * h * std::sqrt(1 + 1.5 * 1.5), 1e-12);
    EXPECT_EQ(flow.regime, FlowRegime::kSubcritical);
    EXPECT_EQ(flow.slopeClass, SlopeClass::kMild);
    EXPECT_STREQ(RegimeName(flow.regime), "缓流");
    EXPECT_STREQ(SlopeClassName(flow.slopeClass), "缓坡");
}

TEST(FlowAnalysisTest, SlopeClassFollowsTheCriticalSlope) {
    const double ik = AnalyseFlow(2, 1.5, 0.025, 0.0005, 2).criticalSlope;
    struct Case {
        double slope;
        FlowRegime regime;
        SlopeClass slopeClass;
    } const cases[] = {
        {ik * 0.9, FlowRegime::kSubcritical, SlopeClass::kMild},
        {ik, FlowRegime::kCritical, SlopeClass::kCritical},
        {ik * 1.1, FlowRegime::kSupercritical, SlopeClass::kSteep},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slope);
        const FlowAnalysis flow = AnalyseFlow(2, 1.5, 0.025, c.slope, 2);
        EXPECT_EQ(flow.regime, c.regime);
        EXPECT_EQ(flow.slopeClass, c.slopeClass);
    }
    const FlowAnalysis atCritical = AnalyseFlow(2, 1.5, 0.025, ik, 2);
    EXPECT_LT(RelativeError(atCritical.normalDepth, atCritical.criticalDepth), 1e-9);
    EXPECT_LT(std::fabs(atCritical.froudeNumber - 1), 1e-8);
}

struct NoUniformFlowCase {
    const char* name;
    Section section;
    const char* reason;
    bool criticalDepthGiven;
    bool criticalSlopeGiven;
    SlopeClass slopeClass;
};

class NoUniformFlow : public testing::TestWithParam<NoUniformFlowCase> {};

TEST_P(NoUniformFlow, GivesTheReasonAndNoValuesAtANormalDepth) {
    const NoUniformFlowCase& c = GetParam();
    const FlowAnalysis flow = Analyse(c.section);
    EXPECT_FALSE(flow.HasUniformFlow());
    EXPECT_EQ(flow.reason, c.reason);
    for (double value : {flow.normalDepth, flow.area, flow.wettedPerimeter, flow.hydraulicRadius,
                         flow.topWidth, flow.hydraulicDepth, flow.velocity, flow.froudeNumber,
                         flow.specificEnergy, flow.shearStress}) {
        EXPECT_TRUE(std::isnan(value));
    }
    const Section& s = c.section;
    EXPECT_TRUE(std::isnan(NormalDepth(s.b, s.m, s.n, s.i, s.q)));
    EXPECT_EQ(flow.regime, FlowRegime::kUndetermined);
    EXPECT_EQ(flow.slopeClass, c.slopeClass);
    if (c.criticalDepthGiven) {
        EXPECT_LT(RelativeError(flow.criticalDepth, ReferenceCriticalDepth(c.section)), 1e-9);
    } else {
        EXPECT_TRUE(std::isnan(flow.criticalDepth));
    }
    EXPECT_EQ(std::isfinite(flow.criticalSlope) && flow.criticalSlope > 0, c.criticalSlopeGiven);
}

const Section kSeed{2, 1.5, 0.025, 0.0005, 2};
Section With(double Section::*field, double value) {
    Section s = kSeed;
    s.*field = value;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NoUniformFlow,
    testing::Values(
        NoUniformFlowCase{"ZeroSlope", With(&Section::i, 0), msg::kSlopeHorizontal, true, true,
                          SlopeClass::kHorizontal},
        NoUniformFlowCase{"AdverseSlope", With(&Section::i, -0.001), msg::kSlopeAdverse, true, true,
                          SlopeClass::kAdverse},
        NoUniformFlowCase{"SlopeNaN", With(&Section::i, kNaN), msg::kSlopeNotFinite, true, true,
                          SlopeClass::kUndetermined},
        NoUniformFlowCase{"SlopeInfinite", With(&Section::i, kInf), msg::kSlopeNotFinite, true,
                          true, SlopeClass::kUndetermined},
        NoUniformFlowCase{"ZeroRoughness", With(&Section::n, 0), msg::kRoughnessNotPositive, true,
                          false, SlopeClass::kUndetermined},
        NoUniformFlowCase{"NegativeRoughness", With(&Section::n, -0.02), msg::kRoughnessNotPositive,
                          true, false, SlopeClass::kUndetermined},
        NoUniformFlowCase{"ZeroDischarge", With(&Section::q, 0), msg::kDischargeNotPositive, false,
                          false, SlopeClass::kUndetermined},
        NoUniformFlowCase{"NegativeDischarge", With(&Section::q, -1), msg::kDischargeNotPositive,
                          false, false, SlopeClass::kUndetermined},
        NoUniformFlowCase{"DischargeNaN", With(&Section::q, kNaN), msg::kDischargeNotPositive,
                          false, false, SlopeClass::kUndetermined},
        NoUniformFlowCase{"NoSection",
                          {0, 0, 0.025, 0.0005, 2},
                          msg::kNoSection,
                          false,
                          false,
                          SlopeClass::kUndetermined},
        NoUniformFlowCase{"NegativeWidth", With(&Section::b, -1), msg::kSectionNegative, false,
                          false, SlopeClass::kUndetermined},
        NoUniformFlowCase{"NegativeSideSlope", With(&Section::m, -0.5), msg::kSectionNegative,
                          false, false, SlopeClass::kUndetermined},
        NoUniformFlowCase{"WidthInfinite", With(&Section::b, kInf), msg::kSectionNotFinite, false,
                          false, SlopeClass::kUndetermined},
        NoUniformFlowCase{"SideSlopeNaN", With(&Section::m, kNaN), msg::kSectionNotFinite, false,
                          false, SlopeClass::kUndetermined},
        // The section fault is named first, then the discharge, roughness
        // and slope.
        NoUniformFlowCase{"EverythingWrong",
                          {-1, 0, 0, 0, 0},
                          msg::kSectionNegative,
                          false,
                          false,
                          SlopeClass::kHorizontal},
        NoUniformFlowCase{"RoughnessBeforeSlope",
                          {2, 1.5, 0, 0, 2},
                          msg::kRoughnessNotPositive,
                          true,
                          false,
                          SlopeClass::kHorizontal}),
    [](const auto& info) { return std::string(info.param.name); });

// Inputs at the edge of double range either give finite uniform flow or say
// that they cannot; never NaN without a reason.
TEST(FlowAnalysisTest, ExtremeInputsNeverGiveUnexplainedNaN) {
    const Section cases[] = {
        {1e-300, 0, 0.025, 0.0005, 1e300}, {1e300, 1e300, 0.025, 0.0005, 1e-300},
        {2, 1.5, 1e-300, 1e300, 1e300},    {2, 1.5, 1e300, 1e-300, 1e-300},
        {0, 1e-300, 0.025, 0.0005, 1},     {2, 0, 0.025, 0.0005, 1e-300},
    };
    for (const Section& s : cases) {
        SCOPED_TRACE(testing::Message()
                     << s.b << " " << s.m << " " << s.n << " " << s.i << " " << s.q);
        const FlowAnalysis flow = Analyse(s);
        if (flow.HasUniformFlow()) {
            EXPECT_TRUE(std::isfinite(flow.normalDepth) && flow.normalDepth > 0);
            EXPECT_TRUE(std::isfinite(flow.froudeNumber));
        } else {
            EXPECT_EQ(flow.reason, msg::kOutOfRange);
            EXPECT_TRUE(std::isnan(flow.normalDepth));
        }
    }
}

TEST(FlowAnalysisTest, DischargeAtDepthIsTheTablesRelationInDouble) {
    struct Case {
        Section section;
        double depth;
        float tableDischarge;
    } const cases[] = {
        {{2, 1.5, 0.025, 0.0005, 0}, 1, 2.286895f},
        {{3, 0, 0.014, 0.001, 0}, 1.2, 6.20555f},
        {{0, 1, 0.02, 0.001, 0}, 1, 0.7905695f},
    };
    for (const Case& c : cases) {
        const Section& s = c.section;
        EXPECT_NEAR(DischargeAtDepth(s.b, s.m, s.n, s.i, c.depth), c.tableDischarge,
                    2e-6 * c.tableDischarge);
    }
    EXPECT_EQ(DischargeAtDepth(2, 1.5, 0.025, 0.0005, 0), 0);
    EXPECT_EQ(DischargeAtDepth(0, 1.5, 0.025, 0.0005, 0), 0);
}

}  // namespace

}  // namespace channel
