#pragma once

#include <benchmark/benchmark.h>

#include <string>

#include "bench/sweep_passes.h"

namespace aurisplot::bench {

// Reports time per pass: items are sweep passes.
inline void countPasses(benchmark::State& state, const std::string& resolution, int distanceFull) {
    state.SetItemsProcessed(state.iterations() * passesOf(resolution, distanceFull));
}

}  // namespace aurisplot::bench
