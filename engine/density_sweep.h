#pragma once

// The density sweep: the curve, the limit marker, progress and the result.

#include <optional>

#include "engine/graph_inputs.h"
#include "engine/resumable.h"
#include "engine/window_services.h"

namespace aurisplot {

// What a sweep did: whether the command goes on after it, and the step at
// which the density first fell below the limit, if it did.
struct Swept {
    bool goesOn = true;
    std::optional<double> belowLimitFrom;
};

// Walks the distance out to the right edge, draws the curve and the limit
// marker, reports progress and then the result in the title. It stops at the
// event pump of each pass where the window waits; `window` and `in` must
// outlive it.
[[nodiscard]] Resumable<Swept> runDensitySweep(WindowServices& window, const GraphInputs& in);

}  // namespace aurisplot
