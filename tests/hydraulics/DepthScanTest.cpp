#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "PlainReference.h"
#include "SevenDigits.h"
#include "hydraulics/DepthScan.h"

namespace channel {

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

ChannelElements Section(float b, float m, float n, float i) {
    ChannelElements r;
    r.bottomWidth = b;
    r.sideSlope = m;
    r.roughness = n;
    r.bedSlope = i;
    return r;
}

const ChannelElements kTrapezoid = Section(2, 1.5f, 0.025f, 0.0005f);
const ChannelElements kRectangle = Section(3, 0, 0.014f, 0.001f);

// The depth of trial k as the scan accumulates it.
float TrialDepth(int k) {
    float depth = kFirstTrialDepth;
    for (int t = 1; t < k; ++t) depth = static_cast<float>(static_cast<double>(depth) + kDepthStep);
    return depth;
}

float DischargeAt(ChannelElements section, float depth) {
    section.depth = depth;
    ComputeChannelElements(section);
    return section.discharge;
}

struct ReachedCase {
    const char* name;
    ChannelElements section;
    float target;
    int trials;
    const char* depth;
    const char* discharge;
};

TEST(DepthScanTest, StopsAtFirstTrialReachingTheTarget) {
    const ReachedCase cases[] = {
        {"target 2.0", kTrapezoid, 2.0f, 94, "0.9399994", "2.027672"},
        // 6.20555 is the discharge at depth 1.2, but the 120th trial depth
        // 1.199999 falls just short of it.
        {"rectangle back-computed", kRectangle, 6.20555f, 121, "1.209999", "6.276484"},
        // The target typed as the seven digits of depth 1's discharge.
        {"discharge of depth 1", kTrapezoid, 2.286895f, 101, "1.009999", "2.331778"},
    };
    for (const ReachedCase& c : cases) {
        SCOPED_TRACE(c.name);
        ChannelElements r = c.section;
        const DepthScanResult result = ScanForDepth(r, c.target);
        EXPECT_EQ(result.end, ScanEnd::kReachedTarget);
        EXPECT_EQ(result.trials, c.trials);
        EXPECT_EQ(SevenDigits(result.solutionDepth), c.depth);
        EXPECT_EQ(SevenDigits(r.discharge), c.discharge);
        EXPECT_GE(static_cast<double>(r.discharge) - c.target, -kDischargeTolerance);
    }
}

TEST(DepthScanTest, TargetTwoLeavesElementsOfTheSolutionDepth) {
    ChannelElements r = kTrapezoid;
    ScanForDepth(r, 2.0f);
    const ElementTexts expected{"3.205397", "5.389216", "0.5947798",
                                "36.68197", "2.027672", "0.6325805"};
    EXPECT_EQ(SevenDigitElements(r), expected);
}

TEST(DepthScanTest, TargetNotAboveToleranceMakesNoTrial) {
    const float justBelowTolerance = std::nextafter(1e-7f, 0.0f);
    for (float target : {0.0f, justBelowTolerance, -3.0f, kNaN}) {
        SCOPED_TRACE(target);
        ChannelElements r = kTrapezoid;
        r.area = 42.0f;  // left from an earlier calculation
        const DepthScanResult result = ScanForDepth(r, target);
        EXPECT_EQ(result.end, ScanEnd::kNoTrial);
        EXPECT_EQ(result.trials, 0);
        EXPECT_EQ(r.depth, kFirstTrialDepth);
        EXPECT_EQ(r.discharge, 0.0f);
        EXPECT_EQ(r.area, 42.0f);
    }
    // 1e-7f itself is 1.00000001e-7: above the tolerance, so it is scanned.
    ChannelElements r = kTrapezoid;
    EXPECT_EQ(ScanForDepth(r, 1e-7f).trials, 1);
}

TEST(DepthScanTest, NegativeSlopeStopsAfterOneTrial) {
    ChannelElements r = Section(2, 1.5f, 0.025f, -0.0005f);
    const DepthScanResult result = ScanForDepth(r, 2.0f);
    EXPECT_EQ(result.end, ScanEnd::kNotANumber);
    EXPECT_EQ(result.trials, 1);
    EXPECT_EQ(result.solutionDepth, 0.01f);
    EXPECT_TRUE(std::isnan(r.discharge));
    EXPECT_TRUE(std::isnan(r.velocity));
}

TEST(DepthScanTest, InfiniteDischargeEndsTheScanAfterOneTrial) {
    ChannelElements r = Section(2, 1.5f, 0, 0.0005f);
    const DepthScanResult result = ScanForDepth(r, 2.0f);
    EXPECT_EQ(result.trials, 1);
    EXPECT_EQ(result.solutionDepth, 0.01f);
    EXPECT_EQ(r.discharge, kInf);
}

TEST(DepthScanTest, UnreachableTargetsStopAtTheBound) {
    struct Case {
        const char* name;
        ChannelElements section;
        float target;
    } const cases[] = {
        {"zero slope", Section(2, 1.5f, 0.025f, 0), 2.0f},
        {"no section", Section(0, 0, 0.025f, 0.0005f), 2.0f},
        {"negative roughness", Section(2, 1.5f, -0.025f, 0.0005f), 2.0f},
        {"huge target", kTrapezoid, 1e30f},
        {"infinite target", kTrapezoid, kInf},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChannelElements r = c.section;
        const DepthScanResult result = ScanForDepth(r, c.target);
        EXPECT_EQ(result.end, ScanEnd::kHitBound);
        EXPECT_EQ(result.trials, kMaxDepthTrials);
    }
}

TEST(DepthScanTest, LastAllowedTrialStillCounts) {
    const float atBound = DischargeAt(kTrapezoid, TrialDepth(kMaxDepthTrials));
    ChannelElements r = kTrapezoid;
    DepthScanResult result = ScanForDepth(r, atBound);
    EXPECT_EQ(result.end, ScanEnd::kReachedTarget);
    EXPECT_EQ(result.trials, kMaxDepthTrials);

    const float beyondBound = DischargeAt(kTrapezoid, TrialDepth(kMaxDepthTrials + 1));
    r = kTrapezoid;
    result = ScanForDepth(r, beyondBound);
    EXPECT_EQ(result.end, ScanEnd::kHitBound);
}

std::uint32_t Bits(float f) {
    return std::bit_cast<std::uint32_t>(f);
}

TEST(DepthScanTest, MatchesFullRecomputationBitForBit) {
    const ChannelElements sections[] = {
        kTrapezoid,
        kRectangle,
        Section(0, 1, 0.02f, 0.001f),
        Section(0.3f, 0.75f, 0.0125f, 0.02f),
        Section(25, 3, 0.035f, 0.0001f),
        Section(2, -0.5f, 0.025f, 0.0005f),
        Section(2, 1.5f, 0.025f, -0.0005f),
        Section(2, 1.5f, 0, 0.0005f),
        Section(2, 1.5f, -0.025f, 0.0005f),
        Section(0, 0, 0.025f, 0.0005f),
    };
    const float targets[] = {0, -1, 1e-7f, 2e-7f, 0.001f, 2.0f, 2.286895f, 6.20555f, 150, 1e30f};
    for (const ChannelElements& section : sections) {
        for (float target : targets) {
            SCOPED_TRACE(testing::Message() << "b=" << section.bottomWidth
                                            << " m=" << section.sideSlope << " target=" << target);
            ChannelElements fast = section;
            ChannelElements plain = section;
            fast.area = plain.area = 7.0f;  // stale results must be treated alike
            fast.velocity = plain.velocity = -1.0f;
            const DepthScanResult a = ScanForDepth(fast, target);
            const DepthScanResult b = ScanForDepthReference(plain, target);
            EXPECT_EQ(a.end, b.end);
            EXPECT_EQ(a.trials, b.trials);
            EXPECT_EQ(Bits(a.solutionDepth), Bits(b.solutionDepth));
            EXPECT_TRUE(SameBits(fast, plain));
        }
    }
}

TEST(DepthScanTest, TrialDepthsAreTheAccumulatedOnes) {
    float depth = kFirstTrialDepth;
    for (int trial = 1; trial <= kMaxDepthTrials + 1; ++trial) {
        ASSERT_EQ(Bits(ScanTrialDepth(trial)), Bits(depth)) << trial;
        depth = static_cast<float>(static_cast<double>(depth) + kDepthStep);
    }
}

// The scan that starts next to the normal depth, or skips to its last trial,
// must stop where the plain scan stops, on every section of a dense grid
// and on the targets where a trial's rounding decides: a trial's discharge
// itself, the float below it, and the edge of the tolerance. Sections that
// never carry a positive discharge get a few targets: each costs the plain
// scan all its trials.
TEST(DepthScanTest, DenseGridMatchesThePlainScanBitForBit) {
    std::vector<std::pair<ChannelElements, std::vector<float>>> cases;
    for (float b : {0.0f, 0.3f, 2.0f, 25.0f, 300.0f}) {
        for (float m : {0.0f, 0.25f, 1.5f, 4.0f}) {
            for (float n : {0.011f, 0.025f}) {
                for (float i : {1e-5f, 5e-4f, 0.02f}) {
                    const ChannelElements section = Section(b, m, n, i);
                    std::vector<float> targets = {1e-4f, 0.01f, 0.5f, 3, 40, 700, 1e4f};
                    for (int k : {1, 2, 37, 250, 1500}) {
                        const float q = DischargeAt(section, ScanTrialDepth(k));
                        const float edge = static_cast<float>(q + kDischargeTolerance);
                        targets.insert(targets.end(), {q, std::nextafter(q, 0.0f), edge,
                                                       std::nextafter(edge, kInf)});
                    }
                    cases.emplace_back(section, targets);
                }
            }
            cases.push_back({Section(b, m, -0.025f, 5e-4f), {2.0f}});
        }
        cases.push_back({Section(b, 1.5f, 0.025f, 0), {1e-6f}});
    }
    int compared = 0;
    for (const auto& [section, targets] : cases) {
        for (float target : targets) {
            SCOPED_TRACE(testing::Message()
                         << "b=" << section.bottomWidth << " m=" << section.sideSlope << " n="
                         << section.roughness << " i=" << section.bedSlope << " target=" << target);
            ChannelElements fast = section;
            ChannelElements plain = section;
            const DepthScanResult a = ScanForDepth(fast, target);
            const DepthScanResult r = ScanForDepthReference(plain, target);
            ASSERT_EQ(a.end, r.end);
            ASSERT_EQ(a.trials, r.trials);
            ASSERT_EQ(Bits(a.solutionDepth), Bits(r.solutionDepth));
            ASSERT_TRUE(SameBits(fast, plain));
            ++compared;
        }
    }
    EXPECT_EQ(compared, 5 * 4 * 2 * 3 * 27 + 5 * 4 + 5);
}

}  // namespace

}  // namespace channel
