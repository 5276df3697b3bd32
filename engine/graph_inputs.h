#pragma once

// What one Graph command reads and what it drew: its normalised inputs, and
// where the density it charted fell below the exposure limit.

#include <optional>

namespace aurisplot {

// The normalised inputs of one run. Every value starts empty, which counts as 0.
struct GraphInputs {
    float plotWidth = 0;           // W, surface units
    float plotHeight = 0;          // H, surface units
    double sourcePowerW = 0;       // P, watts
    double gainDb = 0;             // dBi as typed
    double gainFactor = 0;         // G = 10^(gainDb / 10)
    double densityFullScale = 0;   // V, mW/cm² at the top edge
    double distanceFullScale = 0;  // D, metres at the right edge
    double distanceStep = 0;       // metres; 0 while unset
    bool gridWanted = false;
};

// What one Graph command drew: the inputs as normalised, and the first step
// at which the density fell below the limit, if the sweep reached one.
struct ChartDrawn {
    GraphInputs inputs;
    std::optional<double> belowLimitFrom;  // metres
};

}  // namespace aurisplot
