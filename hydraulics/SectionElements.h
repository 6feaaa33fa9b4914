#pragma once

#include <cmath>

#include "hydraulics/ChannelElements.h"

namespace channel {

// The Manning-Chezy steps for one section, at any depth. What does not depend
// on the depth (the inputs widened to double, the bank length per unit of
// depth) is formed once, so that a scan over many depths pays for it once.
//
// Each step is evaluated in double from the floats before it and rounded to
// float before the next step reads it; that rounding is part of the results.
// Defined here so that both the single evaluation and the scan inline it;
// include it only from the hydraulics library, which is built without
// floating-point contraction (a fused multiply-add would change the last
// digit).
class SectionElements {
  public:
    explicit SectionElements(const ChannelElements& inputs)
        : bottomWidth_(inputs.bottomWidth),
          sideSlope_(inputs.sideSlope),
          roughness_(inputs.roughness),
          bedSlope_(inputs.bedSlope),
          bankLengthPerDepth_(std::sqrt(std::pow(sideSlope_, 2.0) + 1.0)) {}

    // Writes area, wetted perimeter, hydraulic radius, Chezy coefficient and
    // discharge at `depth` into `out`; its inputs, depth and velocity are
    // left alone (a scan needs the velocity of its last trial only).
    void At(float depth, ChannelElements& out) const {
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

    // The velocity from the discharge and area that At wrote.
    static void SetVelocity(ChannelElements& out) {
        out.velocity =
            static_cast<float>(static_cast<double>(out.discharge) / static_cast<double>(out.area));
    }

  private:
    double bottomWidth_;
    double sideSlope_;
    double roughness_;
    double bedSlope_;
    double bankLengthPerDepth_;
};

}  // namespace channel
