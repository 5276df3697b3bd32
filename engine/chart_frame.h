#pragma once

// The chart frame, drawn before the curve: the red zone above the exposure
// limit, and the grid when it is wanted.

#include "engine/graph_inputs.h"
#include "engine/window_services.h"

namespace aurisplot {

// Each returns whether the command goes on.
[[nodiscard]] bool drawLimitZone(WindowServices& window, const GraphInputs& in);
[[nodiscard]] bool drawGrid(WindowServices& window, const GraphInputs& in);

}  // namespace aurisplot
