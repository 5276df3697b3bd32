// The Graph command on the real window, against what each sweep pass must ask
// of the toolkit at the least, and against repainting the surface every pass.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QString>
#include <QTest>

#include "bench/in_turn.h"
#include "bench/passes.h"
#include "bench/report.h"
#include "engine/graph_engine.h"
#include "window/null/forwarding_window.h"
#include "window/null/idle_window.h"
#include "window/qt/main_window.h"

namespace aurisplot::bench {
namespace {

const std::string kResolution = "1 mm";

// A started window, on screen, with "1 mm" chosen and the given distance full
// scale.
class ShownForm {
  public:
    explicit ShownForm(int distanceFull) {
        form.core().Form_Load();
        form.control<QLineEdit>("Text4").setText(QString::number(distanceFull));
        form.control<QComboBox>("Combo1").setCurrentIndex(2);
        form.show();
        if (!QTest::qWaitForWindowExposed(&form)) {
            qFatal("the window did not come on screen");
        }
    }
    Form1 form;
};

void liveWindow(benchmark::State& state, int distanceFull) {
    ShownForm shown(distanceFull);
    for (auto _ : state) {
        shown.form.core().Command1_Click();
    }
    countPasses(state, kResolution, distanceFull);
}

// The same command with every repeated segment drawn again, as the surface
// drew them before it skipped repeats.
void repeatsDrawn(benchmark::State& state, int distanceFull) {
    ShownForm shown(distanceFull);
    shown.form.control<PlotSurface>("Picture1").canvas().skipRepeats(false);
    for (auto _ : state) {
        shown.form.core().Command1_Click();
    }
    countPasses(state, kResolution, distanceFull);
}

// One short segment per pass, as the curve's are, into an off-screen picture
// through a painter kept open; with pumpEvents, one turn of the event loop
// after each, beside a shown window.
void drawSegments(benchmark::State& state, int distanceFull, bool pumpEvents) {
    const ShownForm shown(distanceFull);
    QImage picture(439, 319, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const std::int64_t passes = passesOf(kResolution, distanceFull);
    for (auto _ : state) {
        QPainter painter(&picture);
        for (std::int64_t pass = 0; pass < passes; ++pass) {
            const int x = static_cast<int>(pass % 438);
            const int y = static_cast<int>((pass / 438) % 319);
            painter.drawLine(x, y, x + 1, y);
            if (pumpEvents) {
                QCoreApplication::processEvents();
            }
        }
    }
    countPasses(state, kResolution, distanceFull);
}

// What a live window cost before: a segment and a turn of the event loop per pass.
void toolkitFloor(benchmark::State& state, int distanceFull) {
    drawSegments(state, distanceFull, true);
}

// The least a pass that draws can cost.
void drawingFloor(benchmark::State& state, int distanceFull) {
    drawSegments(state, distanceFull, false);
}

// The same command with the whole plot surface repainted on every pass.
class RepaintEveryPass final : public ForwardingWindow {
  public:
    explicit RepaintEveryPass(Form1& form) : ForwardingWindow(form.core()), form_(form) {}
    Outcome pumpEvents() noexcept override {
        form_.control<PlotSurface>("Picture1").update();
        QCoreApplication::processEvents();
        return Outcome::Done;
    }

  private:
    Form1& form_;
};

void naiveRepaint(benchmark::State& state, int distanceFull) {
    ShownForm shown(distanceFull);
    RepaintEveryPass naive(shown.form);
    for (auto _ : state) {
        const PlotCanvas::Held held(shown.form.control<PlotSurface>("Picture1").canvas());
        runGraphCommand(naive);
    }
    countPasses(state, kResolution, distanceFull);
}

// The live window and the engine alone, timed in turn, each at its best: the
// ratio the summary prints. The engine runs with the AVX state cleared, as
// the window's own path clears it after Qt has drawn.
void liveBesideEngine(benchmark::State& state, int distanceFull) {
    ShownForm shown(distanceFull);
    IdleWindow idle(std::to_string(distanceFull), kResolution);
    constexpr int kRounds = 7;
    BestInTurn best;
    for (auto _ : state) {
        best = bestInTurn(
            kRounds, passesOf(kResolution, distanceFull),
            [&] { shown.form.core().Command1_Click(); },
            [&] {
                clearUpperVectorHalves();
                (void)runGraphCommand(idle);
            });
    }
    state.counters["live_us"] = best.first;
    state.counters["engine_us"] = best.second;
}

BENCHMARK_CAPTURE(liveWindow, mm_D10, 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(liveBesideEngine, mm_D10, 10)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(toolkitFloor, mm_D10, 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawingFloor, mm_D10, 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(naiveRepaint, mm_D10, 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(liveWindow, mm_D1000, 1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(repeatsDrawn, mm_D1000, 1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(toolkitFloor, mm_D1000, 1000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(drawingFloor, mm_D1000, 1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(liveBesideEngine, mm_D1000, 1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace aurisplot::bench
