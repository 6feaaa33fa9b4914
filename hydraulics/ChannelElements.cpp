#include "hydraulics/ChannelElements.h"

#include <cmath>

void ComputeChannelElements(ChannelElements& r) {
    const double b = r.bottomWidth;
    const double m = r.sideSlope;
    const double h = r.depth;

    r.area = static_cast<float>((b + m * h) * h);
    r.wettedPerimeter = static_cast<float>(b + (h * std::sqrt(std::pow(m, 2.0) + 1.0)) * 2.0);
    r.hydraulicRadius =
        static_cast<float>(static_cast<double>(r.area) / static_cast<double>(r.wettedPerimeter));
    r.chezyCoefficient =
        static_cast<float>(std::pow(static_cast<double>(r.hydraulicRadius), kChezyExponent) /
                           static_cast<double>(r.roughness));
    r.discharge = static_cast<float>(
        (static_cast<double>(r.area) * static_cast<double>(r.chezyCoefficient)) *
        std::sqrt(static_cast<double>(r.bedSlope) * static_cast<double>(r.hydraulicRadius)));
    r.velocity = static_cast<float>(static_cast<double>(r.discharge) / static_cast<double>(r.area));
}
