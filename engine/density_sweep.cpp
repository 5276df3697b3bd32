// The density sweep: the curve, the limit marker, progress and result.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "engine/chart_mapping.h"
#include "engine/density_sweep.h"
#include "engine/graph_engine.h"
#include "engine/number_text.h"
#include "engine/pen.h"
#include "engine/power_density.h"
#include "engine/resume_next.h"
#include "engine/stepping.h"

namespace aurisplot {
namespace {

// State of one sweep, created afresh for each: the crossing not yet marked,
// the current point at the top-left corner (x unset, which counts as 0).
struct SweepState {
    bool mpeFound = false;
    std::string mpeRangeText;
    double currentX = 0;
    double currentY = 1;
    double previousX = 0;
    double previousY = 0;
    Colour segmentColour = kBlack;
    double mpeDistance = 0;  // metres: the step at which the crossing was marked
};

[[nodiscard]] float floorToFloat(double value) {
    return static_cast<float>(std::floor(value));
}

[[nodiscard]] std::string titleWith(const std::string& suffix) {
    return std::string(kTitle) + " - [" + suffix + "]";
}

[[nodiscard]] bool startSweep(WindowServices& window, SweepState& sweep) {
    sweep.currentY = 1;
    return setPen(window, kDrawModeCopyPen);
}

void moveToPoint(const ChartMapping& chart, double distance, double density, SweepState& sweep) {
    sweep.previousX = sweep.currentX;
    sweep.previousY = sweep.currentY;
    sweep.currentX = chart.x(distance);
    sweep.currentY = chart.y(density);
}

// A point above the top of the chart is pinned to its top row, in red.
void pinToChart(SweepState& sweep) {
    if (sweep.currentY < 1) {
        sweep.currentY = 1;
        sweep.segmentColour = kRed;
    } else {
        sweep.segmentColour = kBlack;
    }
}

[[nodiscard]] bool markLimitCrossing(WindowServices& window, const GraphInputs& in, double distance,
                                     double density, SweepState& sweep) {
    if (!(density < kMpeLimit) || sweep.mpeFound) {
        return true;
    }
    const float x = floorToFloat(sweep.currentX);
    const bool goesOn = resumeNext(window.drawLine(x, 1, x, in.plotHeight, kBlue));
    sweep.mpeRangeText = format(std::floor(distance)) + "m";
    sweep.mpeDistance = distance;
    sweep.mpeFound = true;
    return goesOn;
}

[[nodiscard]] bool drawSegment(WindowServices& window, const SweepState& sweep) {
    return resumeNext(window.drawLine(floorToFloat(sweep.currentX), floorToFloat(sweep.currentY),
                                      floorToFloat(sweep.previousX), floorToFloat(sweep.previousY),
                                      sweep.segmentColour));
}

// The progress title, built again only when the whole percentage changes.
class ProgressTitle {
  public:
    [[nodiscard]] const std::string& at(double distance, double distanceFull) {
        const double percent = std::floor((distance / distanceFull) * 100);
        if (percent != percent_) {
            percent_ = percent;
            text_ = titleWith(format(percent) + "%");
        }
        return text_;
    }

  private:
    double percent_ = -1;
    std::string text_;
};

// Whether two texts are the same. The sweep asks it of the title on every
// pass, so eight bytes are compared at a time, the last eight overlapping the
// ones before them, without a call to the C library: a byte at a time, as
// WebAssembly's C library compares, cost the browser's sweep a tenth of its
// time.
[[nodiscard]] bool sameText(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) {
        return false;
    }
    constexpr std::size_t kWord = sizeof(std::uint64_t);
    const std::size_t size = a.size();
    if (size < kWord) {
        return a == b;  // shorter than any progress title
    }
    const auto wordAt = [](std::string_view text, std::size_t at) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + at, kWord);
        return word;
    };
    for (std::size_t at = 0; at + kWord < size; at += kWord) {
        if (wordAt(a, at) != wordAt(b, at)) {
            return false;
        }
    }
    return wordAt(a, size - kWord) == wordAt(b, size - kWord);
}

// The title is written only when its text changes.
[[nodiscard]] bool showProgress(WindowServices& window, const std::string& progress) {
    std::string_view shown;
    return resumeNext(window.title(), [&](std::string_view title) { shown = title; }) &&
           (sameText(shown, progress) || resumeNext(window.setTitle(progress)));
}

// One step of the sweep, up to its event pump; false once the command has ended.
[[nodiscard]] bool sweepPass(WindowServices& window, const GraphInputs& in,
                             const ChartMapping& chart, double distance, ProgressTitle& progress,
                             SweepState& sweep) {
    const double density = powerDensity(in.sourcePowerW, in.gainFactor, distance);
    moveToPoint(chart, distance, density, sweep);
    pinToChart(sweep);
    return markLimitCrossing(window, in, distance, density, sweep) && drawSegment(window, sweep) &&
           showProgress(window, progress.at(distance, in.distanceFullScale));
}

[[nodiscard]] bool showResult(WindowServices& window, const SweepState& sweep) {
    return resumeNext(window.setTitle(std::string(kTitle))) &&
           (!sweep.mpeFound ||
            resumeNext(window.setTitle(titleWith("MPE range is ~" + sweep.mpeRangeText))));
}

// The passes from `at` on, each with its event pump, as long as the pumps
// take the events: how the last pump went (Done at the end of the walk), and
// `at` left at the next pass. A loop of its own, outside the coroutine, so
// that the pass's state stays in registers.
[[nodiscard]] Outcome sweepPasses(WindowServices& window, const GraphInputs& in,
                                  const ChartMapping& chart, ProgressTitle& progress,
                                  SweepState& sweep, Steps::Iterator& at,
                                  const Steps::Iterator& end) {
    while (at != end) {
        const double distance = *at;
        ++at;
        if (!sweepPass(window, in, chart, distance, progress, sweep)) {
            return Outcome::Ended;
        }
        const Outcome pumped = window.pumpEvents();
        if (pumped == Outcome::Ended || pumped == Outcome::Later) {
            return pumped;
        }
    }
    return Outcome::Done;
}

}  // namespace

Resumable<Swept> runDensitySweep(WindowServices& window, const GraphInputs& in) {
    SweepState sweep;
    bool goesOn = true;
    // A zero or unset step would never reach the right edge: no sweep then.
    if (in.distanceStep > 0) {
        const ChartMapping chart = ChartMapping::of(in);
        ProgressTitle progress;
        goesOn = startSweep(window, sweep);
        const Steps walk{in.distanceStep, in.distanceStep, in.distanceFullScale};
        Steps::Iterator at = walk.begin();
        while (goesOn) {
            const Outcome stopped = sweepPasses(window, in, chart, progress, sweep, at, walk.end());
            if (stopped != Outcome::Later) {
                goesOn = stopped != Outcome::Ended;
                break;
            }
            goesOn = co_await TurnAwaited(window);
        }
    }
    goesOn = goesOn && showResult(window, sweep);
    co_return Swept{
        .goesOn = goesOn,
        .belowLimitFrom = sweep.mpeFound ? std::optional(sweep.mpeDistance) : std::nullopt};
}

}  // namespace aurisplot
