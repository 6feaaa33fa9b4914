#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "hydraulics/FlowAnalysis.h"
#include "hydraulics/SectionDesign.h"
#include "hydraulics/SectionDesignMessages.h"

namespace channel {

namespace {

namespace msg = design_messages;

// η = h/h0 and β = b/h of the economic sections to three places, as the
// standard's table E.0.2 lists them. Worked apart from the closed forms: the
// best section as the smallest area that carries Q (searched over h, b
// bisected for Q), the economic one as the shallower section of α times
// that area carrying the same Q. m = 1.5, α = 1.01 is the standard's 1.642.
struct TableEntry {
    double m;
    double alpha;
    double eta;
    double beta;
};
constexpr TableEntry kTableE02[] = {
    {0, 1.00, 1.000, 2.000},   {0, 1.02, 0.761, 3.525},   {0, 1.05, 0.654, 4.909},
    {0.5, 1.01, 0.823, 2.091}, {0.5, 1.04, 0.683, 3.374}, {1.0, 1.00, 1.000, 0.828},
    {1.0, 1.03, 0.717, 2.662}, {1.5, 1.00, 1.000, 0.606}, {1.5, 1.01, 0.823, 1.642},
    {1.5, 1.04, 0.683, 3.198}, {2.0, 1.02, 0.761, 2.357}, {2.0, 1.05, 0.654, 4.068},
    {3.0, 1.03, 0.717, 3.658},
};

TEST(SectionDesignTest, EconomicSectionsMatchTableE02) {
    for (const TableEntry& e : kTableE02) {
        SCOPED_TRACE(testing::Message() << "m=" << e.m << " alpha=" << e.alpha);
        const DesignFlow flow{e.m, 0.025, 0.0005, 2.0};
        const SectionDesign best = BestSection(flow);
        const SectionDesign economic = EconomicSection(flow, e.alpha);
        ASSERT_TRUE(best.ok() && economic.ok());
        EXPECT_NEAR(economic.value().depth / best.value().depth, e.eta, 6e-4);
        EXPECT_NEAR(economic.value().ratio, e.beta, 6e-4);
        EXPECT_NEAR(economic.value().area / best.value().area, e.alpha, 1e-12);
    }
}

// Each closed form, put back into the flow analysis's Manning relation,
// carries the design discharge, over shapes from a rectangle to a wide
// shallow canal.
TEST(SectionDesignTest, ClosedFormsCarryTheDesignDischarge) {
    const DesignFlow flows[] = {{0, 0.014, 0.001, 0.3},
                                {1.5, 0.025, 0.0005, 2},
                                {2.5, 0.03, 1e-4, 150},
                                {0.75, 0.017, 0.01, 12}};
    for (const DesignFlow& f : flows) {
        SCOPED_TRACE(testing::Message() << "m=" << f.sideSlope << " Q=" << f.discharge);
        const SectionDesign designs[] = {BestSection(f), EconomicSection(f, 1.03),
                                         SectionForRatio(f, 2.5),
                                         WidthForDepth(f, 0.9 * BestSection(f).value().depth)};
        for (const SectionDesign& d : designs) {
            ASSERT_TRUE(d.ok()) << d.reason();
            const DesignedSection& s = d.value();
            const double q =
                DischargeAtDepth(s.bottomWidth, f.sideSlope, f.roughness, f.bedSlope, s.depth);
            EXPECT_NEAR(q / f.discharge, 1, 1e-9);
            EXPECT_GE(s.bottomWidth, 0);
        }
        // The best section's hydraulic radius is half its depth (E.0.1).
        const DesignedSection best = BestSection(f).value();
        EXPECT_NEAR(best.area / best.wettedPerimeter, best.depth / 2, 1e-12 * best.depth);
        EXPECT_NEAR(SectionForRatio(f, 2.5).value().ratio, 2.5, 1e-12);
    }
}

TEST(SectionDesignTest, SlopeAndRoughnessInvertManning) {
    struct Case {
        double b, m, h, n, i;
    };
    for (const Case& c : {Case{2, 1.5, 1.1, 0.025, 0.0005}, Case{0.6, 0, 0.4, 0.014, 0.002},
                          Case{0, 2, 0.7, 0.03, 1e-4}}) {
        const double q = DischargeAtDepth(c.b, c.m, c.n, c.i, c.h);
        const DesignValue slope = SlopeForSection({c.m, c.n, 0, q}, c.b, c.h);
        const DesignValue roughness = RoughnessForSection({c.m, 0, c.i, q}, c.b, c.h);
        ASSERT_TRUE(slope.ok() && roughness.ok());
        EXPECT_NEAR(slope.value() / c.i, 1, 1e-12);
        EXPECT_NEAR(roughness.value() / c.n, 1, 1e-12);
    }
}

TEST(SectionDesignTest, DesignsWithoutAnAnswerSayWhy) {
    const DesignFlow good{1.5, 0.025, 0.0005, 2};
    auto with = [&](auto change) {
        DesignFlow f = good;
        change(f);
        return f;
    };
    struct Case {
        const char* name;
        SectionDesign design;
        const char* reason;
    };
    const Case cases[] = {
        {"ZeroDischarge", BestSection(with([](DesignFlow& f) { f.discharge = 0; })),
         msg::kDischargeNotPositive},
        {"NegativeRoughness", EconomicSection(with([](DesignFlow& f) { f.roughness = -1; }), 1.02),
         msg::kRoughnessNotPositive},
        {"FlatBed", SectionForRatio(with([](DesignFlow& f) { f.bedSlope = 0; }), 2),
         msg::kSlopeNotPositive},
        {"NaNSideSlope", BestSection(with([](DesignFlow& f) { f.sideSlope = NAN; })),
         msg::kSideSlopeNegative},
        {"AlphaBelowOne", EconomicSection(good, 0.99), msg::kAlphaBelowOne},
        {"NegativeRatio", SectionForRatio(good, -0.5), msg::kRatioNegative},
        {"NoSection", SectionForRatio(with([](DesignFlow& f) { f.sideSlope = 0; }), 0),
         msg::kNoSection},
        // The triangle alone at 3 m carries far more than 2 m³/s.
        {"DepthTooGreat", WidthForDepth(good, 3), msg::kNegativeWidthNeeded},
        {"ZeroDepth", WidthForDepth(good, 0), msg::kDepthNotPositive},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.design.ok());
        EXPECT_EQ(c.design.reason(), c.reason);
    }
    EXPECT_EQ(SlopeForSection(good, -1, 1).reason(), msg::kWidthNegative);
    EXPECT_EQ(RoughnessForSection(good, 1, 0).reason(), msg::kDepthNotPositive);
}

TEST(SectionDesignTest, IncreasePercentIsTheLowerFigureOfTheDischargesBand) {
    const std::pair<double, double> bands[] = {{0.2, 30}, {0.99, 30}, {1, 25},  {4.9, 25},
                                               {5, 20},   {19, 20},   {20, 15}, {49, 15},
                                               {50, 10},  {99, 10},   {100, 5}, {400, 5}};
    for (const auto& [discharge, percent] : bands)
        EXPECT_EQ(DefaultIncreasePercent(discharge), percent) << discharge;
}

// Q加大, its depth, the bank and the velocity checks on the design of
// b = 2.65 m, m = 1.5, n = 0.025, i = 1/2000, Q = 2 m³/s.
TEST(SectionDesignTest, ChecksGiveEnlargedDepthFreeboardCanalDepthAndVelocityMargins) {
    const DesignFlow flow{1.5, 0.025, 0.0005, 2};
    const double b = 2.65;
    DesignAllowances a;
    a.scourLimit = 0.6;
    a.siltLimit = 0.5;
    a.minimumDischarge = 0.6;
    const auto checks = CheckDesign(flow, b, a);
    ASSERT_TRUE(checks.ok()) << checks.reason();
    const DesignChecks& c = checks.value();
    EXPECT_DOUBLE_EQ(c.enlargedDischarge, 2.5);  // 25 % for 1–5 m³/s
    EXPECT_NEAR(c.enlargedDepth, AnalyseFlow(b, 1.5, 0.025, 0.0005, 2.5).normalDepth, 1e-12);
    EXPECT_DOUBLE_EQ(*c.freeboard, c.enlargedDepth / 4 + 0.2);
    // H: hb + Fb up to the next 0.05 m.
    const double bank = c.enlargedDepth + *c.freeboard;
    EXPECT_GE(*c.canalDepth, bank);
    EXPECT_LT(*c.canalDepth - bank, 0.05);
    EXPECT_NEAR(std::remainder(*c.canalDepth, 0.05), 0, 1e-12);
    ASSERT_TRUE(c.scour && c.silt);
    EXPECT_FALSE(c.scour->holds);
    EXPECT_NEAR(c.scour->excess, c.enlargedVelocity - 0.6, 1e-12);
    // The smallest discharge given is Q最小.
    EXPECT_NEAR(c.silt->velocity, AnalyseFlow(b, 1.5, 0.025, 0.0005, 0.6).velocity, 1e-12);
    EXPECT_EQ(c.silt->holds, c.silt->velocity >= 0.5);

    a.grade = 2;  // grades 1–3: a freeboard only when typed
    EXPECT_FALSE(CheckDesign(flow, b, a).value().canalDepth.has_value());
    a.freeboard = 0.4;
    a.depthStep = 0.1;
    a.enlargedDischarge = 2.2;
    const DesignChecks typed = CheckDesign(flow, b, a).value();
    EXPECT_NEAR(typed.increasePercent, 10, 1e-12);
    EXPECT_NEAR(*typed.canalDepth, std::ceil((typed.enlargedDepth + 0.4) / 0.1) * 0.1, 1e-12);
    a.enlargedDischarge = 1.5;
    EXPECT_EQ(CheckDesign(flow, b, a).reason(), msg::kEnlargedBelowDesign);
}

}  // namespace

}  // namespace channel
