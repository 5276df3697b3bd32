#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "engine/graph_engine.h"
#include "engine/stepping.h"

namespace aurisplot::bench {

// Sweep passes of one Graph command, counted by the walk the sweep itself takes.
[[nodiscard]] inline std::int64_t passesOf(const std::string& resolution, int distanceFull) {
    const double step = stepForResolution(resolution);
    std::int64_t passes = 0;
    forEachStep(step, step, distanceFull, [&](double /*distance*/) { ++passes; });
    return passes;
}

// Reports time per pass: items are sweep passes.
inline void countPasses(benchmark::State& state, const std::string& resolution, int distanceFull) {
    state.SetItemsProcessed(state.iterations() * passesOf(resolution, distanceFull));
}

}  // namespace aurisplot::bench
