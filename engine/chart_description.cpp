// The chart in words, for those who cannot see it.

#include <cmath>
#include <string>

#include "engine/chart_description.h"
#include "engine/number_text.h"
#include "engine/power_density.h"

namespace aurisplot {
namespace {

// The distance as the sweep reached it, without the drift of repeated
// addition: 1.26 m rather than 1.2600000000000009 m.
[[nodiscard]] double onTheStepGrid(double distance, double step) {
    return std::round(distance / step) * step;
}

}  // namespace

std::string describeChart(const ChartDrawn& chart) {
    const GraphInputs& in = chart.inputs;
    const std::string drawn =
        "Power density of " + format(in.sourcePowerW) + " W at " + format(in.gainDb) + " dBi: ";
    const std::string limit = "the " + format(kMpeLimit) + " mW/cm² limit";
    if (!(in.distanceStep > 0)) {
        return drawn + "no curve drawn, no distance resolution is chosen";
    }
    if (in.sourcePowerW == 0) {
        return drawn + "none, below " + limit + " over the whole chart";
    }
    if (chart.belowLimitFrom) {
        return drawn + "below " + limit + " from " +
               format(onTheStepGrid(*chart.belowLimitFrom, in.distanceStep)) + " m";
    }
    return drawn + "above " + limit + " over the whole chart, out to " +
           format(in.distanceFullScale) + " m";
}

}  // namespace aurisplot
