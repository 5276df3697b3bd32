#pragma once

// The density sweep: the curve, the limit marker, progress and the result.

#include <optional>

#include "engine/graph_inputs.h"
#include "window/window_services.h"

namespace aurisplot {

// Walks the distance out to the right edge, draws the curve and the limit
// marker, reports progress and then the result in the title. Returns the step
// at which the density first fell below the limit, if it did.
std::optional<double> runDensitySweep(WindowServices& window, const GraphInputs& in);

}  // namespace aurisplot
