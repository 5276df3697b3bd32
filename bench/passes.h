#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "engine/graph_engine.h"

namespace aurisplot::bench {

// Sweep passes of one Graph command, counted the way the sweep walks.
[[nodiscard]] inline std::int64_t passesOf(const std::string& resolution, int distanceFull) {
    const double step = stepForResolution(resolution);
    std::int64_t passes = 0;
    for (double r = step; r <= distanceFull; r += step) {
        ++passes;
    }
    return passes;
}

// Reports time per pass: items are sweep passes.
inline void countPasses(benchmark::State& state, const std::string& resolution, int distanceFull) {
    state.SetItemsProcessed(state.iterations() * passesOf(resolution, distanceFull));
}

}  // namespace aurisplot::bench
