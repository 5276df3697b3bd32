// The pacing of a running command, on a clock the test moves by hand.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "window/pacing.h"

namespace aurisplot::testing {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

class HandClock final : public PacingClock {
  public:
    [[nodiscard]] TimePoint now() const noexcept override {
        ++readings_;
        return now_;
    }
    void advance(std::chrono::nanoseconds by) { now_ += by; }
    // The time, without counting as a reading of the pacing's.
    [[nodiscard]] TimePoint time() const { return now_; }
    [[nodiscard]] int readings() const { return readings_; }

  private:
    TimePoint now_{std::chrono::hours(1)};
    mutable int readings_ = 0;
};

// What the pacing asked of the screen, in order.
class ScreenLog final : public PacedScreen {
  public:
    void showDrawing() noexcept override { calls.emplace_back("drawing"); }
    void showTitle(std::string_view title) noexcept override { calls.emplace_back(title); }
    bool turnEventLoop() noexcept override {
        calls.emplace_back("loop");
        return true;
    }

    std::vector<std::string> calls;
};

class PacingTest : public ::testing::Test {
  protected:
    HandClock clock;
    ScreenLog screen;
    Pacing pacing{screen, clock};
};

// When the event loop turned.
class TurnTimes final : public PacedScreen {
  public:
    explicit TurnTimes(const HandClock& clock) : clock_(clock) {}
    void showDrawing() noexcept override {}
    void showTitle(std::string_view /*title*/) noexcept override {}
    bool turnEventLoop() noexcept override {
        turns.push_back(clock_.time());
        return true;
    }

    std::vector<PacingClock::TimePoint> turns;

  private:
    const HandClock& clock_;
};

// Pumps as a sweep does, each pass taking the time of its stretch, and
// returns the clock readings that took. A turn left for later is `turnLater`,
// and then the pacing is told it is over.
struct Stretch {
    std::chrono::nanoseconds pass;
    int passes;
};
int sweep(Pacing& pacing, HandClock& clock, const std::vector<Stretch>& stretches,
          const std::function<void()>& turnLater = {}) {
    const int before = clock.readings();
    const Pacing::Command command(pacing);
    for (const Stretch& stretch : stretches) {
        for (int i = 0; i < stretch.passes; ++i) {
            clock.advance(stretch.pass);
            if (!pacing.pump()) {
                turnLater();
                pacing.turned();
            }
        }
    }
    return clock.readings() - before;
}

TEST_F(PacingTest, BetweenCommandsTheTitleIsShownAtOnce) {
    pacing.setTitle("T");
    EXPECT_EQ(screen.calls, std::vector<std::string>{"T"});
    EXPECT_EQ(pacing.title(), "T");
}

TEST_F(PacingTest, TheLoopTurnsOnTheFirstPumpThenAtMostOnceAMillisecond) {
    const Pacing::Command command(pacing);
    EXPECT_TRUE(pacing.pump());
    EXPECT_EQ(screen.calls, std::vector<std::string>{"loop"});
    screen.calls.clear();
    for (int pass = 0; pass < 999; ++pass) {  // 999 passes of a microsecond each
        clock.advance(microseconds(1));
        EXPECT_TRUE(pacing.pump());
    }
    EXPECT_TRUE(screen.calls.empty());
    clock.advance(microseconds(1));
    EXPECT_TRUE(pacing.pump());
    EXPECT_EQ(screen.calls, std::vector<std::string>{"loop"});
}

TEST_F(PacingTest, TheScreenFollowsAtDisplayRateAndTheTitleWaitsForIt) {
    {
        const Pacing::Command command(pacing);
        pacing.setTitle("T - [10%]");
        EXPECT_TRUE(screen.calls.empty());  // the chart is not on the screen yet
        EXPECT_EQ(pacing.title(), "T - [10%]");
        for (int ms = 1; ms < 16; ++ms) {
            clock.advance(milliseconds(1));
            EXPECT_TRUE(pacing.pump());
        }
        EXPECT_EQ(screen.calls, std::vector<std::string>(15, "loop"));
        screen.calls.clear();
        clock.advance(milliseconds(1));
        EXPECT_TRUE(pacing.pump());  // 16 ms: picture, then title, then the loop
        EXPECT_EQ(screen.calls, (std::vector<std::string>{"drawing", "T - [10%]", "loop"}));
        screen.calls.clear();
        pacing.setTitle("T - [MPE range is ~2m]");
    }
    // The command's end shows everything at once, picture first.
    EXPECT_EQ(screen.calls, (std::vector<std::string>{"drawing", "T - [MPE range is ~2m]"}));
}

TEST(PacingGate, ReadsTheClockAFewTimesAMillisecondAndTurnsTheLoopWhenDue) {
    HandClock clock;
    TurnTimes screen(clock);
    Pacing pacing(screen, clock);
    // 20 ms of 10 ns passes: two million pumps.
    const int readings = sweep(pacing, clock, {{std::chrono::nanoseconds(10), 2'000'000}});
    EXPECT_LT(readings, 20 * 40) << readings;
    ASSERT_EQ(screen.turns.size(), 20U);
    for (std::size_t i = 1; i < screen.turns.size(); ++i) {
        // At a steady pace the reading falls on the pump at which the loop is due.
        EXPECT_EQ(screen.turns[i] - screen.turns[i - 1], milliseconds(1)) << i;
    }
}

TEST(PacingGate, PassesTenTimesSlowerDelayTheLoopAFewMillisecondsAtMost) {
    HandClock clock;
    TurnTimes screen(clock);
    Pacing pacing(screen, clock);
    const std::vector<Stretch> paces{{microseconds(1), 5'500},
                                     {microseconds(10), 1'000},
                                     {microseconds(1), 5'000},
                                     {microseconds(10), 1'000}};
    static_cast<void>(sweep(pacing, clock, paces));
    ASSERT_GE(screen.turns.size(), 20U);
    for (std::size_t i = 1; i < screen.turns.size(); ++i) {
        EXPECT_LE(screen.turns[i] - screen.turns[i - 1], milliseconds(4)) << i;
        EXPECT_GE(screen.turns[i] - screen.turns[i - 1], milliseconds(1)) << i;
    }
}

// A screen whose every turn of the loop takes `turn` on the clock: in the
// pump, or (`later`, as on a page) after the command has let go of it.
class SlowTurns final : public PacedScreen {
  public:
    SlowTurns(HandClock& clock, std::chrono::nanoseconds turn, bool later)
        : clock_(clock), turn_(turn), later_(later) {}
    void showDrawing() noexcept override {}
    void showTitle(std::string_view /*title*/) noexcept override {}
    bool turnEventLoop() noexcept override {
        if (later_) {
            return false;
        }
        turn();
        return true;
    }
    void turn() {
        clock_.advance(turn_);
        ++turns;
    }

    int turns = 0;

  private:
    HandClock& clock_;
    std::chrono::nanoseconds turn_;
    bool later_;
};

// In the pump or after the command has let go (a page), the same.
TEST(PacingGate, TurnsTenTimesLongerThanTheIntervalLeaveTheCommandHalfOfTheTime) {
    for (const bool later : {false, true}) {
        SCOPED_TRACE(later ? "turns after the command lets go" : "turns in the pump");
        HandClock clock;
        SlowTurns screen(clock, 10 * Pacing::kPumpInterval, later);
        Pacing pacing(screen, clock);
        const PacingClock::TimePoint start = clock.time();
        const int passes = 200'000;  // 1 µs each: 200 ms of the command's own work
        static_cast<void>(
            sweep(pacing, clock, {{microseconds(1), passes}}, [&] { screen.turn(); }));
        const auto total = clock.time() - start;
        const auto command = microseconds(passes);
        EXPECT_GE(command * 2, total) << "the loop's turns took more than half of the time";
        // A turn, then at least as long again for the command.
        EXPECT_LE(screen.turns, 200 / 10 + 1);
        EXPECT_GE(screen.turns, 200 / 10 - 1) << "the loop still turns all through the command";
    }
}

TEST(PacingGate, AClockThatDoesNotMoveIsStillReadEveryFewPumps) {
    HandClock clock;
    TurnTimes screen(clock);
    Pacing pacing(screen, clock);
    const Pacing::Command command(pacing);
    for (int i = 0; i < 1'000'000; ++i) {
        EXPECT_TRUE(pacing.pump());
    }
    const std::size_t turns = screen.turns.size();
    clock.advance(milliseconds(1));
    for (std::int64_t i = 0; i < Pacing::kMostPumpsPerReading; ++i) {
        EXPECT_TRUE(pacing.pump());
    }
    EXPECT_EQ(screen.turns.size(), turns + 1);
}

TEST_F(PacingTest, OnceTheProgramEndsNothingMoreIsShown) {
    {
        const Pacing::Command command(pacing);
        pacing.stopShowing();
        pacing.setTitle("T - [MPE range is ~2m]");
        clock.advance(milliseconds(20));
        EXPECT_TRUE(pacing.pump());
    }
    pacing.setTitle("T");
    EXPECT_EQ(screen.calls, std::vector<std::string>{"loop"});
}

}  // namespace
}  // namespace aurisplot::testing
