// The far-field power density of an isotropic source scaled by the antenna's gain.

#include "engine/power_density.h"

#include <cmath>
#include <limits>

namespace aurisplot {

double powerDensity(double powerW, double gainFactor, double distance) noexcept {
    if (powerW == 0 || gainFactor == 0) {
        return 0;  // no power radiated, even through an unbounded gain
    }
    const double radiated = powerW * gainFactor;
    if (std::isinf(radiated)) {
        return std::numeric_limits<double>::infinity();
    }
    return (radiated / ((4 * kPi) * (distance * distance))) * kDensityFactor;
}

}  // namespace aurisplot
