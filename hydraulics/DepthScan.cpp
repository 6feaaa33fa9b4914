#include "hydraulics/DepthScan.h"

#include <cmath>

namespace {

// The elements at one trial depth. Everything that does not depend on the
// depth is formed once per scan; each step still rounds to float exactly
// where ComputeChannelElements does, so the results are the same bits.
class TrialEvaluator {
  public:
    explicit TrialEvaluator(const ChannelElements& inputs)
        : bottomWidth_(inputs.bottomWidth),
          sideSlope_(inputs.sideSlope),
          roughness_(inputs.roughness),
          bedSlope_(inputs.bedSlope),
          bankLengthPerDepth_(std::sqrt(std::pow(sideSlope_, 2.0) + 1.0)) {}

    // Writes every element except velocity, which only the final trial needs.
    void Evaluate(float depth, ChannelElements& out) const {
        const double h = depth;
        out.area = static_cast<float>((bottomWidth_ + sideSlope_ * h) * h);
        out.wettedPerimeter = static_cast<float>(bottomWidth_ + (h * bankLengthPerDepth_) * 2.0);
        const double area = out.area;
        out.hydraulicRadius = static_cast<float>(area / static_cast<double>(out.wettedPerimeter));
        const double radius = out.hydraulicRadius;
        out.chezyCoefficient = static_cast<float>(std::pow(radius, kChezyExponent) / roughness_);
        out.discharge = static_cast<float>((area * static_cast<double>(out.chezyCoefficient)) *
                                           std::sqrt(bedSlope_ * radius));
    }

  private:
    double bottomWidth_;
    double sideSlope_;
    double roughness_;
    double bedSlope_;
    double bankLengthPerDepth_;
};

bool FallsShort(double target, float discharge) {
    return target - static_cast<double>(discharge) > kDischargeTolerance;
}

}  // namespace

DepthScanResult ScanForDepth(ChannelElements& record, float targetDischarge) {
    const TrialEvaluator evaluator(record);
    const double target = targetDischarge;
    record.discharge = 0.0f;

    DepthScanResult result;
    float depth = kFirstTrialDepth;
    bool hitBound = false;
    while (FallsShort(target, record.discharge)) {
        if (result.trials == kMaxDepthTrials) {
            hitBound = true;
            break;
        }
        evaluator.Evaluate(depth, record);
        result.solutionDepth = depth;
        ++result.trials;
        depth = static_cast<float>(static_cast<double>(depth) + kDepthStep);
    }
    record.depth = depth;

    if (result.trials > 0) {
        record.velocity = static_cast<float>(static_cast<double>(record.discharge) /
                                             static_cast<double>(record.area));
    }
    result.end = ClassifyScanEnd(hitBound, result.trials, targetDischarge, record.discharge);
    return result;
}

ScanEnd ClassifyScanEnd(bool hitBound, int trials, float targetDischarge, float lastDischarge) {
    if (hitBound) return ScanEnd::kHitBound;
    if (trials == 0) return ScanEnd::kNoTrial;
    if (std::isnan(static_cast<double>(targetDischarge) - static_cast<double>(lastDischarge)))
        return ScanEnd::kNotANumber;
    return ScanEnd::kReachedTarget;
}
