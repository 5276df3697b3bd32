#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "case_name.h"
#include "engine/density_sweep.h"
#include "engine/power_density.h"
#include "window/null/recording_window.h"

namespace aurisplot {
namespace {

using testing::RecordingWindow;

struct Transmitter {
    double powerW = 600;
    double gainFactor = 1.6595869074375607;  // 2.2 dBi
    double densityFull = 20;
    double distanceFull = 10;
    double step = 1;
};

GraphInputs inputsFor(const Transmitter& t) {
    GraphInputs in;
    in.plotWidth = 6585;
    in.plotHeight = 4785;
    in.sourcePowerW = t.powerW;
    in.gainFactor = t.gainFactor;
    in.densityFullScale = t.densityFull;
    in.distanceFullScale = t.distanceFull;
    in.distanceStep = t.step;
    return in;
}

RecordingWindow sweep(const Transmitter& t) {
    RecordingWindow window;
    static_cast<void>(runToEnd(runDensitySweep(window, inputsFor(t))));
    return window;
}

std::vector<std::string> blueLines(const RecordingWindow& window) {
    std::vector<std::string> blue;
    for (const auto& line : window.linesOf("drawLine")) {
        if (line.ends_with(" 16711680")) {
            blue.push_back(line);
        }
    }
    return blue;
}

struct SweepCase {
    const char* name;
    Transmitter transmitter;
    int passes;
    std::string result;          // what follows the plain title
    std::string firstSegment{};  // the curve's first line, where a case is about it
};

void PrintTo(const SweepCase& c, std::ostream* os) {
    *os << c.name;
}

class Sweep : public ::testing::TestWithParam<SweepCase> {};

TEST_P(Sweep, CountsPassesAndReportsTheRange) {
    const auto& c = GetParam();
    const RecordingWindow window = sweep(c.transmitter);
    EXPECT_EQ(window.callCount("pumpEvents"), c.passes);
    EXPECT_EQ(window.state.title, "Quarnel Labs - Aurisplot" + c.result);
    EXPECT_EQ(blueLines(window).size(), c.result.empty() ? 0U : 1U);
    if (!c.firstSegment.empty()) {
        EXPECT_EQ(window.linesOf("drawLine").at(0), c.firstSegment);
    }
}

const double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Transmitters, Sweep,
    ::testing::Values(
        SweepCase{"defaults", {}, 10, " - [MPE range is ~2m]"},
        SweepCase{"centimetres", {.step = 0.01}, 1000, " - [MPE range is ~1m]"},
        SweepCase{"millimetres", {.step = 0.001}, 10000, " - [MPE range is ~1m]"},
        SweepCase{"accumulated steps", {.distanceFull = 1, .step = 0.01}, 99, ""},
        SweepCase{"no power, metres", {.powerW = 0}, 10, " - [MPE range is ~1m]"},
        SweepCase{
            "no power, centimetres", {.powerW = 0, .step = 0.01}, 1000, " - [MPE range is ~0m]"},
        SweepCase{
            "no power, millimetres", {.powerW = 0, .step = 0.001}, 10000, " - [MPE range is ~0m]"},
        SweepCase{"no power, unbounded gain",
                  {.powerW = 0, .gainFactor = kInfinity},
                  10,
                  " - [MPE range is ~1m]"},
        SweepCase{"strong everywhere", {.powerW = 1e6}, 10, ""},
        SweepCase{"unbounded gain", {.gainFactor = kInfinity}, 10, ""},
        SweepCase{"overflowing power", {.powerW = 1e300, .gainFactor = 1e10}, 10, ""},
        SweepCase{"crossing at 40 m",
                  {.powerW = 6e5, .distanceFull = 1000},
                  1000,
                  " - [MPE range is ~40m]"},
        SweepCase{"zero step", {.step = 0}, 0, ""},
        // The top row: at 1 m the density is the full scale V = 20 exactly
        // (y = 0), then just under it, within one row (y = 0.48); both points
        // are pinned to row 1 and drawn red. One row and a half down
        // (y = 1.51) the point stays where it is, in black. At V exactly, the
        // density at 2 m is the limit exactly, which is no crossing yet.
        SweepCase{"at the full scale",
                  {.powerW = 2513.272, .gainFactor = 1},
                  10,
                  " - [MPE range is ~3m]",
                  "drawLine 658 1 0 1 255"},
        SweepCase{"within the top row",
                  {.powerW = 2513.02, .gainFactor = 1},
                  10,
                  " - [MPE range is ~2m]",
                  "drawLine 658 1 0 1 255"},
        SweepCase{"below the top row",
                  {.powerW = 2512.48, .gainFactor = 1},
                  10,
                  " - [MPE range is ~2m]",
                  "drawLine 658 1 0 1 0"}),
    testing::CaseName());

TEST(Sweep, BlueLineAtTheFirstStepBelowTheLimit) {
    EXPECT_EQ(blueLines(sweep({})),
              (std::vector<std::string>{"drawLine 1317 1 1317 4785 16711680"}));
}

// Above the full scale the curve is pinned to the top row, in red.
TEST(Sweep, RedSegmentsAlongTheTopWhileAboveTheFullScale) {
    const auto lines = sweep({.densityFull = 5}).linesOf("drawLine");
    ASSERT_EQ(lines.size(), 11U);
    EXPECT_EQ(lines.at(0), "drawLine 658 1 0 1 255");
    EXPECT_EQ(lines.at(1), "drawLine 1317 1 1317 4785 16711680");
    EXPECT_EQ(lines.at(2), "drawLine 1317 2889 658 1 0");
}

TEST(Sweep, UnboundedDensityStaysOnTheTopRowWithoutNaN) {
    for (const auto& line : sweep({.gainFactor = kInfinity}).linesOf("drawLine")) {
        EXPECT_TRUE(line.ends_with(" 1 255")) << line;
        EXPECT_EQ(line.find("nan"), std::string::npos) << line;
    }
}

TEST(Sweep, ExactlyTheLimitIsNotACrossing) {
    // One metre, unit gain: the power whose density there is exactly the limit.
    double power = kMpeLimit / kDensityFactor * (4 * kPi);
    while (powerDensity(power, 1, 1) < kMpeLimit) {
        power = std::nextafter(power, kInfinity);
    }
    while (powerDensity(power, 1, 1) > kMpeLimit) {
        power = std::nextafter(power, 0.0);
    }
    ASSERT_EQ(powerDensity(power, 1, 1), kMpeLimit);
    const auto window = sweep({.powerW = power, .gainFactor = 1, .distanceFull = 1});
    EXPECT_TRUE(blueLines(window).empty());
    EXPECT_EQ(window.state.title, "Quarnel Labs - Aurisplot");
}

// Progress is written only when the whole percentage changes.
TEST(Sweep, ProgressTitlesOnlyOnChange) {
    const auto titles = sweep({.step = 0.001}).linesOf("setTitle");
    ASSERT_LE(titles.size(), 101U + 2U);
    for (std::size_t i = 1; i < titles.size(); ++i) {
        EXPECT_NE(titles[i], titles[i - 1]);
    }
    EXPECT_EQ(titles.front(), "setTitle \"Quarnel Labs - Aurisplot - [0%]\"");
    EXPECT_EQ(titles.at(titles.size() - 3), "setTitle \"Quarnel Labs - Aurisplot - [99%]\"");
}

// Where the first step is a whole percent of the chart, 1 m out to 100 m, the
// first progress title is that percent.
TEST(Sweep, AFirstStepOfOnePercentShowsItsProgress) {
    const auto titles = sweep({.distanceFull = 100, .step = 1}).linesOf("setTitle");
    ASSERT_GE(titles.size(), 3U);
    EXPECT_EQ(titles.front(), "setTitle \"Quarnel Labs - Aurisplot - [1%]\"");
    EXPECT_EQ(titles.at(titles.size() - 3), "setTitle \"Quarnel Labs - Aurisplot - [100%]\"");
}

TEST(Sweep, ZeroStepSetsThePlainTitleOnly) {
    EXPECT_EQ(sweep({.step = 0}).log(),
              (std::vector<std::string>{"setTitle \"Quarnel Labs - Aurisplot\""}));
}

}  // namespace
}  // namespace aurisplot
