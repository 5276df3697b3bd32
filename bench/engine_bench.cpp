// The engine alone: the whole Graph command against a window that does nothing.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/passes.h"
#include "bench/report.h"
#include "engine/graph_engine.h"
#include "window/null/idle_window.h"

namespace aurisplot::bench {
namespace {

void engineAlone(benchmark::State& state, const std::string& resolution, int distanceFull) {
    IdleWindow window(std::to_string(distanceFull), resolution);
    clearUpperVectorHalves();
    for (auto _ : state) {
        runGraphCommand(window);
    }
    countPasses(state, resolution, distanceFull);
}

BENCHMARK_CAPTURE(engineAlone, m_D10, std::string("1 m"), 10);
BENCHMARK_CAPTURE(engineAlone, cm_D10, std::string("1 cm"), 10);
BENCHMARK_CAPTURE(engineAlone, mm_D10, std::string("1 mm"), 10);
BENCHMARK_CAPTURE(engineAlone, m_D1000, std::string("1 m"), 1000);
BENCHMARK_CAPTURE(engineAlone, cm_D1000, std::string("1 cm"), 1000);
BENCHMARK_CAPTURE(engineAlone, mm_D1000, std::string("1 mm"), 1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace aurisplot::bench
