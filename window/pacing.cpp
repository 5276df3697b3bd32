#include "window/pacing.h"

#include <algorithm>

namespace aurisplot {
namespace {

class SteadyClock final : public PacingClock {
  public:
    [[nodiscard]] TimePoint now() const noexcept override {
        return std::chrono::steady_clock::now();
    }
};

}  // namespace

const PacingClock& steadyClock() {
    static const SteadyClock clock;
    return clock;
}

Pacing::Command::Command(Pacing& pacing) noexcept : pacing_(pacing) {
    const TimePoint now = pacing_.clock_.now();
    pacing_.deferring_ = true;
    pacing_.nextShow_ = now + kDisplayInterval;
    pacing_.nextPump_ = now;  // the command's first pump always turns the loop
    pacing_.measureFrom(now);
}

Pacing::Command::~Command() {
    pacing_.deferring_ = false;
    if (pacing_.showing_) {
        pacing_.showOnScreen(pacing_.clock_.now());
    }
}

void Pacing::setTitle(std::string_view title) {
    title_ = title;
    titleUnshown_ = deferring_;
    if (!deferring_ && showing_) {
        screen_.showTitle(title_);
    }
}

void Pacing::showOnScreen(TimePoint now) noexcept {
    screen_.showDrawing();
    if (titleUnshown_) {
        titleUnshown_ = false;
        screen_.showTitle(title_);
    }
    nextShow_ = now + kDisplayInterval;
}

// The next pump reads the clock, and the pace is measured from `now` on.
void Pacing::measureFrom(TimePoint now) noexcept {
    lastReading_ = now;
    pumpsSinceReading_ = 0;
    pumpsPerReading_ = 1;
}

// At the pace of the pumps since the last reading: the pumps that reach the
// loop's due time or a quarter of the interval, whichever comes first. Never
// more than twice as many as the last time, so that the pace is measured over
// ever longer stretches, and a few quick passes after a turn of the loop do
// not make the gate sleep through slower ones.
std::int64_t Pacing::pumpsBeforeNextReading(TimePoint now) const noexcept {
    using std::chrono::duration_cast;
    using std::chrono::nanoseconds;
    const std::int64_t most = std::min(2 * pumpsPerReading_, kMostPumpsPerReading);
    const std::int64_t elapsed = duration_cast<nanoseconds>(now - lastReading_).count();
    if (elapsed <= 0) {
        return most;  // the clock has not moved yet
    }
    const nanoseconds quarter = duration_cast<nanoseconds>(kPumpInterval) / 4;
    const std::int64_t ahead =
        std::min(duration_cast<nanoseconds>(nextPump_ - now), quarter).count();
    const std::int64_t reaching = (ahead * pumpsSinceReading_ + elapsed - 1) / elapsed;
    return std::clamp<std::int64_t>(reaching, 1, most);
}

// A clock reading decides whether the event loop is due, and whether the
// screen is.
bool Pacing::pumpOnReading() noexcept {
    const TimePoint now = clock_.now();
    if (now < nextPump_) {
        pumpsPerReading_ = pumpsBeforeNextReading(now);
        lastReading_ = now;
        pumpsSinceReading_ = 0;
        return true;
    }
    if (deferring_ && showing_ && now >= nextShow_) {
        showOnScreen(now);
    }
    if (!screen_.turnEventLoop()) {
        turnStarted_ = now;
        return false;
    }
    turnedFrom(now);
    return true;
}

void Pacing::turned() noexcept {
    turnedFrom(turnStarted_);
}

// The next turn is due once the command has had the interval, or as long as
// this turn and the screen took if that was longer: however slow the loop, the
// command keeps at least half of the time.
void Pacing::turnedFrom(TimePoint before) noexcept {
    const TimePoint after = clock_.now();
    nextPump_ = after + std::max<TimePoint::duration>(kPumpInterval, after - before);
    measureFrom(after);  // the pace of the passes, without the turn in it
}

}  // namespace aurisplot
