// The canvas's record of its drawing: skipping repeats leaves the picture as
// drawing everything makes it, and a change of scale draws the record again,
// as a fresh Graph at the new scale would.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "case_name.h"
#include "chart_cases.h"
#include "no_toolkit.h"
#include "window/drawing_record.h"

namespace aurisplot::testing {
namespace {

class Redraw : public NoToolkitTest {
  protected:
    void enterChart(const ChartCase& chart) {
        enter(surface, chart);
        none.setCheckState(chart.grid ? 1 : 0);
    }
    // What a Graph draws, with or without skipping repeats.
    [[nodiscard]] Picture graphed(bool skipRepeats) {
        none.canvas().skipRepeats(skipRepeats);
        none.core().Command1_Click();
        return drawn();
    }
};

class SkippedRepeats : public Redraw, public ::testing::WithParamInterface<ChartCase> {};

TEST_P(SkippedRepeats, LeaveThePictureOfDrawingEverything) {
    enterChart(GetParam());
    const Picture everything = graphed(false);
    ASSERT_FALSE(everything == blankSurface(1.0));
    EXPECT_TRUE(graphed(true) == everything);
}

INSTANTIATE_TEST_SUITE_P(Graphs, SkippedRepeats, ::testing::ValuesIn(kCharts), CaseName());

TEST_F(Redraw, AfterAClearAScaleChangeShowsOnlyTheBackground) {
    enterChart(kEverything);
    static_cast<void>(graphed(true));
    surface.clear();
    none.core().scaleChanged(2);
    EXPECT_TRUE(drawn() == blankSurface(2));
}

// The record starts with the draw mode and width of the moment of the clear.
TEST_F(Redraw, DrawsAgainWithTheModeAndWidthInEffectAtTheClear) {
    const auto draw = [&] {
        surface.clear();
        surface.drawLine(150, 1500, 3000, 1500, kRedPixel);  // over the emblem
        surface.fillBox(600, 600, 900, 2400, kBluePixel);
    };
    surface.setDrawMode(kDrawModeMaskPen);
    surface.setDrawWidth(3);
    surface.fillBox(1, 1, 6000, 4000, kBlackPixel);
    draw();
    none.core().scaleChanged(1.5);
    const Picture redrawn = drawn();
    draw();
    EXPECT_TRUE(drawn() == redrawn);
    const Colour beneath = blankSurface(1.5).at(100, 150);
    EXPECT_EQ(redrawn.at(100, 150), rgb(static_cast<std::uint8_t>(redOf(beneath)), 0, 0));
}

// Past its capacity the record is no longer the whole picture: a scale change
// stretches what was drawn, each pixel to the device pixels it covers.
TEST_F(Redraw, PastItsCapacityAScaleChangeStretchesThePicture) {
    surface.setDrawMode(kDrawModeCopyPen);
    for (std::size_t i = 0; i <= DrawingRecord::kCapacity; ++i) {
        const std::size_t column = i % 400;
        const std::size_t row = i / 400;
        const auto x = static_cast<float>(column * 15);
        const auto y = static_cast<float>(row * 15);
        surface.drawLine(x, y, x, y, i % 2 == 0 ? kBluePixel : kRedPixel);
    }
    const Picture atOne = drawn();
    none.core().scaleChanged(2);
    const Picture stretched = drawn();
    ASSERT_EQ(stretched.width(), 878);
    ASSERT_EQ(stretched.height(), 638);
    for (int y = 0; y < stretched.height(); ++y) {
        for (int x = 0; x < stretched.width(); ++x) {
            ASSERT_EQ(stretched.at(x, y), atOne.at(x / 2, y / 2)) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace aurisplot::testing
