#include "window/pacing.h"

namespace aurisplot {
namespace {

class SteadyClock final : public PacingClock {
  public:
    [[nodiscard]] TimePoint now() const override { return std::chrono::steady_clock::now(); }
};

}  // namespace

const PacingClock& steadyClock() {
    static const SteadyClock clock;
    return clock;
}

Pacing::Command::Command(Pacing& pacing) : pacing_(pacing) {
    const TimePoint now = pacing_.clock_.now();
    pacing_.deferring_ = true;
    pacing_.nextShow_ = now + kDisplayInterval;
    pacing_.nextPump_ = now;  // the command's first pump always turns the loop
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

void Pacing::showOnScreen(TimePoint now) {
    screen_.showDrawing();
    if (titleUnshown_) {
        titleUnshown_ = false;
        screen_.showTitle(title_);
    }
    nextShow_ = now + kDisplayInterval;
}

// One clock reading decides whether the event loop is due, and whether the
// screen is.
void Pacing::pump() {
    const TimePoint now = clock_.now();
    if (now < nextPump_) {
        return;
    }
    nextPump_ = now + kPumpInterval;
    if (deferring_ && showing_ && now >= nextShow_) {
        showOnScreen(now);
    }
    screen_.turnEventLoop();
}

}  // namespace aurisplot
