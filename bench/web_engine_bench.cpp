// The browser build's benchmark: the engine alone, the whole Graph command
// against a window that does nothing, at the sizes of the Linux engine
// benchmark. Google Benchmark has no build for emscripten here, so each figure
// is the best of a few timed batches, and the summary lines are written as the
// Linux benchmark writes its own, under the platform that ran them: node, or
// the browser that loaded the page.

#include <emscripten.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "bench/sweep_passes.h"
#include "engine/graph_engine.h"
#include "window/null/idle_window.h"
#include "window/null/null_form.h"

namespace {

using aurisplot::bench::passesOf;
using Clock = std::chrono::steady_clock;

// Set by the JavaScript runtime emscripten links in; true under node.
EM_JS(int, runsUnderNode, (), { return ENVIRONMENT_IS_NODE ? 1 : 0; });

// Nanoseconds per pass: of the best of `batches` batches, each enough Graph
// commands for about `passesPerBatch` passes (one command at the least).
[[nodiscard]] double nanosecondsPerPass(const std::string& resolution, int distanceFull,
                                        int batches, std::int64_t passesPerBatch) {
    aurisplot::IdleWindow window(std::to_string(distanceFull), resolution);
    const std::int64_t passes = passesOf(resolution, distanceFull);
    const std::int64_t commands = std::max<std::int64_t>(1, passesPerBatch / passes);
    double best = 1e300;
    for (int batch = 0; batch < batches; ++batch) {
        const Clock::time_point start = Clock::now();
        for (std::int64_t k = 0; k < commands; ++k) {
            (void)aurisplot::runGraphCommand(window);
        }
        const std::chrono::duration<double, std::nano> took = Clock::now() - start;
        best = std::min(best, took.count() / static_cast<double>(commands * passes));
    }
    return best;
}

// Nanoseconds per pass of one Graph command through the form core, over the
// form with no toolkit: the canvas draws and the pacing turns a loop that
// takes no time, as on the page without the browser's own work.
[[nodiscard]] double formNanosecondsPerPass(const std::string& resolution, int distanceFull,
                                            int batches) {
    aurisplot::NullForm form;
    form.core().Form_Load();
    form.core().shown();
    static_cast<void>(
        form.core().setText(aurisplot::TextField::Text4, std::to_string(distanceFull)));
    const int index = resolution == "1 m" ? 0 : resolution == "1 cm" ? 1 : 2;
    static_cast<void>(form.core().setComboIndex(index));
    const std::int64_t passes = passesOf(resolution, distanceFull);
    double best = 1e300;
    for (int batch = 0; batch < batches; ++batch) {
        const Clock::time_point start = Clock::now();
        form.core().Command1_Click();
        const std::chrono::duration<double, std::nano> took = Clock::now() - start;
        best = std::min(best, took.count() / static_cast<double>(passes));
    }
    return best;
}

}  // namespace

// With --smoke, each size runs once, so that the benchmark keeps working; the
// figures then mean nothing.
int main(int argc, char* argv[]) {
    const bool smoke = argc > 1 && std::string(argv[1]) == "--smoke";
    const int batches = smoke ? 1 : 5;
    const std::int64_t passesPerBatch = smoke ? 1 : 2'000'000;
    const char* const platform = runsUnderNode() != 0 ? "[node]" : "[browser]";
    struct Size {
        const char* name;
        const char* resolution;
        int distanceFull;
    };
    // In the order the Linux benchmark prints them.
    for (const Size size : {Size{"cm_D10", "1 cm", 10}, Size{"cm_D1000", "1 cm", 1000},
                            Size{"m_D10", "1 m", 10}, Size{"m_D1000", "1 m", 1000},
                            Size{"mm_D10", "1 mm", 10}, Size{"mm_D1000", "1 mm", 1000}}) {
        const double perPass =
            nanosecondsPerPass(size.resolution, size.distanceFull, batches, passesPerBatch);
        std::printf("%-12s %-40s %8.1f million passes per second (%.1f ns per pass)\n", platform,
                    ("engineAlone/" + std::string(size.name)).c_str(), 1e3 / perPass, perPass);
    }
    const double form = formNanosecondsPerPass("1 mm", 1000, batches);
    std::printf("%-12s %-40s %8.1f million passes per second (%.1f ns per pass)\n", platform,
                "formCore/mm_D1000", 1e3 / form, form);
    return 0;
}
