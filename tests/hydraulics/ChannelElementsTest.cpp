#include <gtest/gtest.h>

#include <cmath>

#include "PlainReference.h"
#include "SevenDigits.h"
#include "hydraulics/ChannelElements.h"

namespace channel {

namespace {

ChannelElements Section(float b, float m, float h, float n, float i) {
    ChannelElements r;
    r.bottomWidth = b;
    r.sideSlope = m;
    r.depth = h;
    r.roughness = n;
    r.bedSlope = i;
    return r;
}

struct ElementsCase {
    const char* name;
    ChannelElements inputs;
    ElementTexts expected;
};

TEST(ChannelElementsTest, SectionsGiveSevenDigitResults) {
    const ElementsCase cases[] = {
        {"trapezoid",
         Section(2, 1.5f, 1, 0.025f, 0.0005f),
         {"3.5", "5.605551", "0.6243811", "36.98012", "2.286895", "0.6533985"}},
        {"rectangle",
         Section(3, 0, 1.2f, 0.014f, 0.001f),
         {"3.6", "5.4", "0.6666667", "66.76109", "6.20555", "1.723764"}},
        // Rounding each step to float matters here: a double chain rounded
        // only at the end gives 0.7905694 for Q and v.
        {"triangle",
         Section(0, 1, 1, 0.02f, 0.001f),
         {"1", "2.828427", "0.3535534", "42.04482", "0.7905695", "0.7905695"}},
        // R = 1e-12 has the sixth root 0.01, so one sixth as the exponent
        // would give C = 0.4 exactly.
        {"hairline depth",
         Section(1, 0, 1e-12f, 0.025f, 0.0005f),
         {"1e-12", "1", "1e-12", "0.4000001", "8.944273e-21", "8.944273e-09"}},
    };
    for (const ElementsCase& c : cases) {
        SCOPED_TRACE(c.name);
        ChannelElements r = c.inputs;
        ComputeChannelElements(r);
        EXPECT_EQ(SevenDigitElements(r), c.expected);
        // Inputs are read, never written.
        EXPECT_EQ(r.bottomWidth, c.inputs.bottomWidth);
        EXPECT_EQ(r.depth, c.inputs.depth);
    }
}

TEST(ChannelElementsTest, SlopeIsUsedAsTypedNotInverted) {
    ChannelElements gentle = Section(2, 1.5f, 1, 0.025f, 0.001f);
    ChannelElements steep = Section(2, 1.5f, 1, 0.025f, 1000);
    ComputeChannelElements(gentle);
    ComputeChannelElements(steep);
    EXPECT_NEAR(steep.discharge / gentle.discharge, 1000.0f, 1e-3f);
}

TEST(ChannelElementsTest, ZeroDepthGivesZeroFlowAndUndefinedVelocity) {
    ChannelElements r = Section(2, 1.5f, 0, 0.025f, 0.0005f);
    ComputeChannelElements(r);
    EXPECT_EQ(r.area, 0.0f);
    EXPECT_EQ(r.wettedPerimeter, 2.0f);
    EXPECT_EQ(r.hydraulicRadius, 0.0f);
    EXPECT_EQ(r.chezyCoefficient, 0.0f);
    EXPECT_EQ(r.discharge, 0.0f);
    EXPECT_TRUE(std::isnan(r.velocity));
}

TEST(ChannelElementsTest, OutOfRangeInputsGiveNonFiniteResultsUnchecked) {
    ChannelElements zeroRoughness = Section(2, 1.5f, 1, 0, 0.0005f);
    ComputeChannelElements(zeroRoughness);
    EXPECT_TRUE(std::isinf(zeroRoughness.chezyCoefficient));
    EXPECT_TRUE(std::isinf(zeroRoughness.discharge));

    ChannelElements empty = Section(0, 0, 0, 0.025f, 0.0005f);
    ComputeChannelElements(empty);
    EXPECT_TRUE(std::isnan(empty.hydraulicRadius));
    EXPECT_TRUE(std::isnan(empty.discharge));
}

// The evaluation forms the bank length once per section; every element must
// still come out as the plain step-by-step evaluation gives it, to the bit,
// in and out of range.
TEST(ChannelElementsTest, MatchesThePlainEvaluationBitForBit) {
    const ChannelElements sections[] = {
        Section(2, 1.5f, 0, 0.025f, 0.0005f),    Section(3, 0, 0, 0.014f, 0.001f),
        Section(0, 1, 0, 0.02f, 0.001f),         Section(0.3f, 0.75f, 0, 0.0125f, 0.02f),
        Section(25, 3, 0, 0.035f, 0.0001f),      Section(2, -0.5f, 0, 0.025f, 0.0005f),
        Section(2, 1.5f, 0, 0.025f, -0.0005f),   Section(2, 1.5f, 0, 0, 0.0005f),
        Section(1e30f, 1e20f, 0, 1e-30f, 1e30f),
    };
    const float depths[] = {0, 1e-12f, 0.01f, 0.9399994f, 1, 1.2f, 37.5f, 1000, -1, 1e30f};
    for (const ChannelElements& section : sections) {
        for (float depth : depths) {
            SCOPED_TRACE(testing::Message()
                         << "b=" << section.bottomWidth << " m=" << section.sideSlope << " n="
                         << section.roughness << " i=" << section.bedSlope << " h=" << depth);
            ChannelElements library = section;
            library.depth = depth;
            ChannelElements plain = library;
            ComputeChannelElements(library);
            PlainChannelElements(plain);
            EXPECT_TRUE(SameBits(library, plain));
        }
    }
}

}  // namespace

}  // namespace channel
