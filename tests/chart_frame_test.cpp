#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/chart_frame.h"
#include "engine/stepping.h"
#include "window/null/recording_window.h"

namespace aurisplot {
namespace {

using testing::RecordingWindow;

GraphInputs chart(double densityFull, double distanceFull) {
    GraphInputs in;
    in.plotWidth = 6585;
    in.plotHeight = 4785;
    in.densityFullScale = densityFull;
    in.distanceFullScale = distanceFull;
    return in;
}

struct ZoneCase {
    double densityFull;
    std::vector<std::string> expected;
};

void PrintTo(const ZoneCase& c, std::ostream* os) {
    *os << "V = " << c.densityFull;
}

class LimitZone : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(LimitZone, TintsTheChartAboveTheLimit) {
    RecordingWindow window;
    EXPECT_TRUE(drawLimitZone(window, chart(GetParam().densityFull, 10)));
    EXPECT_EQ(window.log(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    FullScales, LimitZone,
    ::testing::Values(
        ZoneCase{20, {"setDrawMode 9", "setDrawWidth 1", "fillBox 1 3588.75 6585 1 255"}},
        ZoneCase{6, {"setDrawMode 9", "setDrawWidth 1", "fillBox 1 797.5 6585 1 255"}},
        ZoneCase{5, {"setDrawMode 9", "setDrawWidth 1"}},
        ZoneCase{1, {"setDrawMode 9", "setDrawWidth 1"}}));

TEST(Grid, OneLineEachForUnitFullScales) {
    RecordingWindow window;
    EXPECT_TRUE(drawGrid(window, chart(1, 1)));
    EXPECT_EQ(window.log(),
              (std::vector<std::string>{"setDrawMode 13", "setDrawWidth 1", "drawLine 1 1 1 4785 0",
                                        "drawLine 1 1 6585 1 0"}));
}

TEST(Grid, OneLinePerMetreAndPerDensityUnit) {
    RecordingWindow window;
    EXPECT_TRUE(drawGrid(window, chart(20, 10)));
    const auto lines = window.linesOf("drawLine");
    ASSERT_EQ(lines.size(), 30U);
    EXPECT_EQ(lines.at(1), "drawLine 659.5 1 659.5 4785 0");
    EXPECT_EQ(lines.at(9), "drawLine 5927.5 1 5927.5 4785 0");  // none on the right edge
    EXPECT_EQ(lines.at(10), "drawLine 1 1 6585 1 0");
    EXPECT_EQ(lines.at(11), "drawLine 1 240.25 6585 240.25 0");
    EXPECT_EQ(lines.at(29), "drawLine 1 4546.75 6585 4546.75 0");
}

// Lines closer than a surface unit are drawn once per unit: the same picture,
// bounded by the surface size instead of by a full scale of a billion.
TEST(Grid, DenseLinesAreBoundedBySurfaceSize) {
    RecordingWindow window;
    EXPECT_TRUE(drawGrid(window, chart(1e9, 1e300)));
    const auto lines = window.linesOf("drawLine");
    ASSERT_EQ(lines.size(), 6585U + 4785U);
    EXPECT_EQ(lines.at(6584), "drawLine 6585 1 6585 4785 0");
    EXPECT_EQ(lines.back(), "drawLine 1 4785 6585 4785 0");
}

// The end of the program in the middle of the grid: not one line more.
TEST(Grid, StopsAtTheCallThatEndedTheCommand) {
    RecordingWindow window;
    window.endOn("drawLine", 3);
    EXPECT_FALSE(drawGrid(window, chart(20, 10)));
    EXPECT_EQ(window.callCount("drawLine"), 3);
}

TEST(Stepping, StopsWhereTheStepNoLongerCountsOrAPassSaysSo) {
    int passes = 0;
    const auto counted = [&](double) {
        ++passes;
        return true;
    };
    EXPECT_TRUE(forEachStep(9007199254740992.0, 1, 1e300, counted));
    EXPECT_EQ(passes, 1);
    passes = 0;
    EXPECT_TRUE(forEachStep(1, 0, 10, counted));
    EXPECT_EQ(passes, 1);
    passes = 0;
    EXPECT_FALSE(forEachStep(1, 1, 10, [&](double value) {
        ++passes;
        return value < 4;
    }));
    EXPECT_EQ(passes, 4);
}

}  // namespace
}  // namespace aurisplot
