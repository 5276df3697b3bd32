// The Windows build's benchmarks, run under Wine: the Graph command on the real
// window against the engine alone and against what each sweep pass must ask of
// the system at the least. Google Benchmark has no build for this compiler
// here, so each figure is the best of a few timed runs, all in this one run,
// and only their ratios are compared with Linux's.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

#include "bench/in_turn.h"
#include "bench/report.h"
#include "bench/sweep_passes.h"
#include "engine/graph_engine.h"
#include "window/null/idle_window.h"
#include "window/win32/main_window.h"

namespace {

using aurisplot::bench::passesOf;
constexpr const char* kPlatform = "[wine]";

// Microseconds per pass of the best of `runs` runs.
[[nodiscard]] double perPass(int runs, std::int64_t passes, const std::function<void()>& run) {
    double best = 1e300;
    for (int k = 0; k < runs; ++k) {
        best = std::min(best, aurisplot::bench::microsecondsPerPass(passes, run));
    }
    return best;
}

void printRatio(const std::string& label, double slower, double faster, bool atLeastOne = false) {
    aurisplot::bench::printRatio(kPlatform, label, slower, faster, atLeastOne);
}

// A shown window with "1 mm" chosen and the given distance full scale.
class ShownForm {
  public:
    explicit ShownForm(int distanceFull) {
        form.core().Form_Load();
        if (form.core().setText(aurisplot::TextField::Text4, std::to_string(distanceFull)) !=
                aurisplot::Outcome::Done ||
            form.core().setComboIndex(2) != aurisplot::Outcome::Done) {
            throw std::runtime_error("the window refuses the benchmark's inputs");
        }
        form.show();
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            form.dispatch(message);
        }
    }
    aurisplot::win32::Form1 form;
};

// One short segment per pass into a DIB section through GDI, as the curve's
// are; with pumpEvents, one pass of the message queue after each.
[[nodiscard]] double drawSegments(int distanceFull, bool pumpEvents, int runs) {
    const ShownForm shown(distanceFull);
    const std::int64_t passes = passesOf("1 mm", distanceFull);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 439, -319, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, picture);
    const double result = perPass(runs, passes, [&] {
        MSG message{};
        for (std::int64_t pass = 0; pass < passes; ++pass) {
            const int x = static_cast<int>(pass % 438);
            const int y = static_cast<int>((pass / 438) % 319);
            MoveToEx(dc, x, y, nullptr);
            LineTo(dc, x + 2, y);
            if (pumpEvents) {
                while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                    DispatchMessageW(&message);
                }
            }
        }
        GdiFlush();
    });
    SelectObject(dc, previous);
    DeleteObject(picture);
    DeleteDC(dc);
    return result;
}

// With repeatsDrawn, every repeated segment is drawn again, as the surface drew
// them before it skipped repeats.
[[nodiscard]] double liveWindow(int distanceFull, int runs, bool repeatsDrawn = false) {
    ShownForm shown(distanceFull);
    shown.form.core().canvas().skipRepeats(!repeatsDrawn);
    return perPass(runs, passesOf("1 mm", distanceFull),
                   [&] { shown.form.core().Command1_Click(); });
}

// The live window and the engine alone, timed in turn, each at its best.
[[nodiscard]] aurisplot::bench::BestInTurn liveBesideEngine(int distanceFull, int rounds) {
    ShownForm shown(distanceFull);
    aurisplot::IdleWindow idle(std::to_string(distanceFull), "1 mm");
    return aurisplot::bench::bestInTurn(
        rounds, passesOf("1 mm", distanceFull), [&] { shown.form.core().Command1_Click(); },
        [&] {
            aurisplot::bench::clearUpperVectorHalves();
            (void)aurisplot::runGraphCommand(idle);
        });
}

}  // namespace

// With --smoke, each benchmark runs once at the smallest size, so that they
// keep working; the figures then mean nothing.
int main(int argc, char* argv[]) {
    const bool smoke = argc > 1 && std::string(argv[1]) == "--smoke";
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const int runs = smoke ? 1 : 5;
    const int large = smoke ? 10 : 1000;

    const aurisplot::bench::BestInTurn inTurn = liveBesideEngine(large, smoke ? 1 : 7);
    const double engineLarge = inTurn.second;
    const double liveLarge = inTurn.first;
    const double liveSmall = liveWindow(10, runs);
    const double repeatsLarge = liveWindow(large, smoke ? 1 : 3, true);
    const double toolkitSmall = drawSegments(10, true, runs);
    const double drawingSmall = drawSegments(10, false, runs);
    const double drawingLarge = drawSegments(large, false, smoke ? 1 : 3);

    std::printf("%-12s %-40s %8.1f million passes per second\n", kPlatform,
                ("engineAlone/mm_D" + std::to_string(large)).c_str(), 1 / engineLarge);
    printRatio("live window / toolkit floor, 1 mm D10", liveSmall, toolkitSmall);
    printRatio("live window / drawing floor, 1 mm D10", liveSmall, drawingSmall);
    printRatio("live window / drawing floor, 1 mm D" + std::to_string(large), liveLarge,
               drawingLarge);
    printRatio("live window / engine alone, 1 mm D" + std::to_string(large) +
                   aurisplot::bench::kInTurn + aurisplot::bench::kCleanEngine,
               liveLarge, engineLarge, true);
    printRatio("repeats drawn / live window, 1 mm D" + std::to_string(large), repeatsLarge,
               liveLarge, true);
    return 0;
}
