#pragma once

// How a window keeps pace with a running command. A sweep asks for an event
// pump on every pass, a million times in a long one, while one turn of a
// toolkit's event loop costs ten passes' own work or more (under Wine, a round
// trip to its server). So:
// - the event loop turns at most once a millisecond: a click or a key waits a
//   millisecond at most, which nobody can tell; and where a turn itself takes
//   longer (a slow browser, a busy desktop), the command runs at least as long
//   as the last turn took before the next one, so it keeps half of the time;
// - the screen follows the drawing at display rate, not with every segment;
// - the title waits for the screen, so it never reports a chart the screen
//   does not show yet;
// - even reading the clock costs more than a pass of the sweep, so the gate
//   reads it only on every n-th pump, n following the pace of the pumps: a
//   reading falls about every quarter of a millisecond, and on the pump at
//   which the loop is due.
// Between commands everything reaches the screen at once.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace aurisplot {

// What a window's toolkit does on the pacing's behalf. None of it fails here:
// what goes wrong is kept for the command to see at its next pump.
class PacedScreen {
  public:
    virtual ~PacedScreen() = default;
    virtual void showDrawing() noexcept = 0;                      // the plot surface, now
    virtual void showTitle(std::string_view title) noexcept = 0;  // the window's title, now
    // Handles every pending event, and returns true; or returns false where
    // the window takes its events only after the command has let go of it,
    // and tells the pacing when that turn is over (Pacing::turned).
    [[nodiscard]] virtual bool turnEventLoop() noexcept = 0;

  protected:
    PacedScreen() = default;
    PacedScreen(const PacedScreen&) = default;
    PacedScreen& operator=(const PacedScreen&) = default;
    PacedScreen(PacedScreen&&) = default;
    PacedScreen& operator=(PacedScreen&&) = default;
};

// The clock the pacing reads; tests give it one of their own.
class PacingClock {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~PacingClock() = default;
    [[nodiscard]] virtual TimePoint now() const noexcept = 0;

  protected:
    PacingClock() = default;
    PacingClock(const PacingClock&) = default;
    PacingClock& operator=(const PacingClock&) = default;
    PacingClock(PacingClock&&) = default;
    PacingClock& operator=(PacingClock&&) = default;
};

// The machine's monotonic clock.
[[nodiscard]] const PacingClock& steadyClock();

class Pacing {
  public:
    using TimePoint = PacingClock::TimePoint;
    static constexpr std::chrono::milliseconds kDisplayInterval{16};
    static constexpr std::chrono::milliseconds kPumpInterval{1};

    // The screen shows `title` already.
    explicit Pacing(PacedScreen& screen, const PacingClock& clock = steadyClock(),
                    std::string_view title = {})
        : screen_(screen), clock_(clock), title_(title) {}

    // Brackets one command: while it runs, the screen is paced; when it ends,
    // everything drawn and the last title reach the screen at once.
    class Command {
      public:
        explicit Command(Pacing& pacing) noexcept;
        Command(const Command&) = delete;
        Command& operator=(const Command&) = delete;
        Command(Command&&) = delete;
        Command& operator=(Command&&) = delete;
        ~Command();

      private:
        Pacing& pacing_;
    };

    // The title as last set, shown or waiting for the next screen update. The
    // view stays valid until the next setTitle().
    [[nodiscard]] std::string_view title() const { return title_; }
    void setTitle(std::string_view title);

    // Called for every event pump the engine asks for. False when the event
    // loop is due but turns only after the command has let go of it.
    [[nodiscard]] bool pump() noexcept {
        return ++pumpsSinceReading_ < pumpsPerReading_ || pumpOnReading();
    }
    // The turn that pump() left to the window is over.
    void turned() noexcept;

    // Once the program is ending, nothing more is shown.
    void stopShowing() { showing_ = false; }

    // However the clock behaves, the gate reads it at least this often.
    static constexpr std::int64_t kMostPumpsPerReading = std::int64_t{1} << 16U;

  private:
    // A pump on which the gate reads the clock.
    [[nodiscard]] bool pumpOnReading() noexcept;
    void showOnScreen(TimePoint now) noexcept;
    void measureFrom(TimePoint now) noexcept;
    void turnedFrom(TimePoint before) noexcept;
    [[nodiscard]] std::int64_t pumpsBeforeNextReading(TimePoint now) const noexcept;

    PacedScreen& screen_;
    const PacingClock& clock_;
    bool showing_ = true;
    bool deferring_ = false;  // a command runs
    std::string title_;
    bool titleUnshown_ = false;
    TimePoint nextShow_{};
    TimePoint nextPump_{};
    // The pace of the pumps, from the last clock reading on.
    TimePoint lastReading_{};
    std::int64_t pumpsSinceReading_ = 0;
    std::int64_t pumpsPerReading_ = 1;
    TimePoint turnStarted_{};  // of the turn left to the window
};

}  // namespace aurisplot
