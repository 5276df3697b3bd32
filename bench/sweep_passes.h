#pragma once

#include <cstdint>
#include <string>

#include "engine/graph_engine.h"
#include "engine/stepping.h"

namespace aurisplot::bench {

// Sweep passes of one Graph command, counted by the walk the sweep itself takes.
[[nodiscard]] inline std::int64_t passesOf(const std::string& resolution, int distanceFull) {
    const double step = stepForResolution(resolution);
    std::int64_t passes = 0;
    static_cast<void>(forEachStep(step, step, distanceFull, [&](double /*distance*/) {
        ++passes;
        return true;
    }));
    return passes;
}

}  // namespace aurisplot::bench
