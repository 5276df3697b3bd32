// The pacing of a running command, on a clock the test moves by hand.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/pacing.h"

namespace aurisplot::testing {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

class HandClock final : public PacingClock {
  public:
    [[nodiscard]] TimePoint now() const override { return now_; }
    void advance(microseconds by) { now_ += by; }

  private:
    TimePoint now_{std::chrono::hours(1)};
};

// What the pacing asked of the screen, in order.
class ScreenLog final : public PacedScreen {
  public:
    void showDrawing() override { calls.emplace_back("drawing"); }
    void showTitle(std::string_view title) override { calls.emplace_back(title); }
    void turnEventLoop() override { calls.emplace_back("loop"); }

    std::vector<std::string> calls;
};

class PacingTest : public ::testing::Test {
  protected:
    HandClock clock;
    ScreenLog screen;
    Pacing pacing{screen, clock};
};

TEST_F(PacingTest, BetweenCommandsTheTitleIsShownAtOnce) {
    pacing.setTitle("T");
    EXPECT_EQ(screen.calls, std::vector<std::string>{"T"});
    EXPECT_EQ(pacing.title(), "T");
}

TEST_F(PacingTest, TheLoopTurnsOnTheFirstPumpThenAtMostOnceAMillisecond) {
    const Pacing::Command command(pacing);
    pacing.pump();
    EXPECT_EQ(screen.calls, std::vector<std::string>{"loop"});
    screen.calls.clear();
    for (int pass = 0; pass < 999; ++pass) {  // 999 passes of a microsecond each
        clock.advance(microseconds(1));
        pacing.pump();
    }
    EXPECT_TRUE(screen.calls.empty());
    clock.advance(microseconds(1));
    pacing.pump();
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
            pacing.pump();
        }
        EXPECT_EQ(screen.calls, std::vector<std::string>(15, "loop"));
        screen.calls.clear();
        clock.advance(milliseconds(1));
        pacing.pump();  // 16 ms: picture, then title, then the loop
        EXPECT_EQ(screen.calls, (std::vector<std::string>{"drawing", "T - [10%]", "loop"}));
        screen.calls.clear();
        pacing.setTitle("T - [MPE range is ~2m]");
    }
    // The command's end shows everything at once, picture first.
    EXPECT_EQ(screen.calls, (std::vector<std::string>{"drawing", "T - [MPE range is ~2m]"}));
}

TEST_F(PacingTest, OnceTheProgramEndsNothingMoreIsShown) {
    {
        const Pacing::Command command(pacing);
        pacing.stopShowing();
        pacing.setTitle("T - [MPE range is ~2m]");
        clock.advance(milliseconds(20));
        pacing.pump();
    }
    pacing.setTitle("T");
    EXPECT_EQ(screen.calls, std::vector<std::string>{"loop"});
}

}  // namespace
}  // namespace aurisplot::testing
