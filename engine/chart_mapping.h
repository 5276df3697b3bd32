#pragma once

// Where a distance and a power density lie on the plot surface.

#include "engine/graph_inputs.h"

namespace aurisplot {

// The value-to-surface mapping of the chart: origin at the top-left corner,
// y downward, the density full scale at the top edge and the distance full
// scale at the right edge.
struct ChartMapping {
    double width;         // W
    double height;        // H
    double densityFull;   // V
    double distanceFull;  // D

    [[nodiscard]] static ChartMapping of(const GraphInputs& in) {
        return {static_cast<double>(in.plotWidth), static_cast<double>(in.plotHeight),
                in.densityFullScale, in.distanceFullScale};
    }
    [[nodiscard]] double x(double distance) const { return (distance / distanceFull) * width; }
    [[nodiscard]] double y(double density) const {
        return height - (density / densityFull) * height;
    }
};

}  // namespace aurisplot
