// Every window shows the charts the engine draws, pixel for pixel, at each of
// its scales; a change of scale draws the chart again, as a fresh Graph at the
// new scale would.

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>

#include "case_name.h"
#include "chart_cases.h"
#include "form_driver.h"
#include "window/form_layout.h"
#include "window/surface_geometry.h"

namespace aurisplot::testing {
namespace {

class RecordedDrawing : public FormTest {
  protected:
    void enterChart(const ChartCase& chart) {
        enter(form.obliging(), chart);
        form.setChecked(chart.grid);
    }

    // The interior as the screen shows it: one device pixel to one inside
    // the border, where the window shows it so.
    [[nodiscard]] Picture shown() {
        const double ratio = form.ratio();
        const Picture drawn = form.surface();
        if (ratio != std::floor(ratio) && !form.oneToOneAtFractionalRatios()) {
            return drawn;
        }
        const int border = surface::deviceSize(layout::kSurfaceBorderPixels, ratio);
        return form.surfaceOnScreen().crop({border, border, drawn.width(), drawn.height()});
    }
};

constexpr std::array kRatios{1.0, 1.5, 2.0};

// The digests of each chart as it was looked at, at each ratio: a window that
// shows one pixel otherwise, or a canvas that draws one otherwise, fails.
const std::map<std::string, std::array<std::uint64_t, kRatios.size()>> kKnownCharts{
    {"default", {0x3f44f3f344b73ecbU, 0xfd29806f9f2c9eb2U, 0x9affd1b4a4e6830eU}},
    {"grid", {0xaf995c5d9c0089a2U, 0x83dbb640908bbc03U, 0x194b01547911f014U}},
    {"zone over the whole chart", {0xd55d4c517d9c3692U, 0xf89934f4bf639deaU, 0x307e66d206e4d40fU}},
    {"no power", {0x18f658d31862470dU, 0xf4040b8a61939bcaU, 0x06e1284728a8f9eeU}},
    {"1 cm", {0xbc71668abcb5ae3aU, 0x918da5edb7f7c534U, 0xd6180c6559201ad0U}},
    {"1 mm", {0xa66175bc1340420fU, 0x9d626391ac4d0f23U, 0xd1908595bd4f788bU}},
    {"pinned red at the top", {0x1e852b1615a15794U, 0x77e059d7cecd839eU, 0x0bb6c0b85cd82edaU}},
};

class KnownCharts : public RecordedDrawing, public ::testing::WithParamInterface<ChartCase> {};

TEST_P(KnownCharts, AreShownPixelForPixelAtEveryScale) {
    const ChartCase& chart = GetParam();
    for (std::size_t i = 0; i < kRatios.size(); ++i) {
        form.changeScale(kRatios[i]);
        enterChart(chart);
        form.graph();
        EXPECT_EQ(digestOf(shown()), kKnownCharts.at(chart.name)[i])
            << chart.name << " at " << kRatios[i];
    }
}

INSTANTIATE_TEST_SUITE_P(Graphs, KnownCharts, ::testing::ValuesIn(kCharts), CaseName());

class ScaleChange : public RecordedDrawing, public ::testing::WithParamInterface<double> {};

TEST_P(ScaleChange, GivesThePictureOfAFreshGraphAtTheNewScale) {
    const double ratio = GetParam();
    enterChart(kEverything);
    form.graph();
    const Picture atOne = shown();

    form.changeScale(ratio);
    const Picture redrawn = shown();
    ASSERT_EQ(redrawn.width(), std::lround(layout::kPictureInterior.width * ratio));
    ASSERT_EQ(redrawn.height(), std::lround(layout::kPictureInterior.height * ratio));
    form.graph();
    EXPECT_TRUE(shown() == redrawn);

    form.changeScale(1);  // and back, to the picture drawn there
    EXPECT_TRUE(shown() == atOne);
}

// The window moves while the sweep draws: the curve goes on at the new scale.
TEST_P(ScaleChange, InTheMiddleOfASweepGivesThePictureOfAFreshGraph) {
    const double ratio = GetParam();
    ChartCase longSweep = kEverything;
    longSweep.distanceFull = "10000";  // ten million passes, past a timer tick on every window
    enterChart(longSweep);
    bool duringSweep = false;
    form.every(1, [&] {
        form.stopTicks();
        duringSweep = !form.enabled("Command1");
        form.changeScale(ratio);
    });
    form.graph();
    form.stopTicks();
    ASSERT_TRUE(duringSweep);
    const Picture changedMidway = shown();
    form.graph();
    EXPECT_TRUE(shown() == changedMidway);
}

INSTANTIATE_TEST_SUITE_P(Ratios, ScaleChange, ::testing::Values(2.0, 1.5));

}  // namespace
}  // namespace aurisplot::testing
