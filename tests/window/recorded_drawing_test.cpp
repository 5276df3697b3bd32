// The plot surface's record of its drawing: skipping repeats leaves the
// picture as drawing everything makes it, and a change of scale draws the
// record again, as a fresh Graph at the new scale would.

#include <cmath>
#include <string>
#include <vector>

#include "case_name.h"
#include "form_driver.h"
#include "window/drawing_record.h"
#include "window/form_layout.h"
#include "window/null/null_form.h"
#include "window/surface_geometry.h"

namespace aurisplot::testing {
namespace {

struct GraphCase {
    std::string name;
    std::string power = "600";
    std::string densityFull = "20";
    std::string distanceFull = "10";
    int resolution = 0;  // in the list: 1 m, 1 cm, 1 mm
    bool grid = false;
};

void PrintTo(const GraphCase& c, std::ostream* os) {
    *os << c.name;
}

class RecordedDrawing : public FormTest {
  protected:
    void enter(const GraphCase& c) {
        setText(TextField::Text1, c.power);
        setText(TextField::Text3, c.densityFull);
        setText(TextField::Text4, c.distanceFull);
        form.obliging().setComboIndex(c.resolution);
        form.setChecked(c.grid);
    }

    // What a Graph draws, with or without skipping repeats.
    [[nodiscard]] Picture graphed(bool skipRepeats) {
        form.skipRepeats(skipRepeats);
        form.graph();
        return form.surface();
    }
};

class SkippedRepeats : public RecordedDrawing, public ::testing::WithParamInterface<GraphCase> {};

TEST_P(SkippedRepeats, LeaveThePictureOfDrawingEverything) {
    enter(GetParam());
    const Picture everything = graphed(false);
    ASSERT_FALSE(everything == blankSurface(form.ratio()));
    EXPECT_TRUE(graphed(true) == everything);
}

// The charts of every kind the engine draws.
const auto kCharts = ::testing::Values(
    GraphCase{"default"}, GraphCase{.name = "grid", .grid = true},
    GraphCase{.name = "zone over the whole chart", .densityFull = "100000000"},
    GraphCase{.name = "no power", .power = "0", .resolution = 2},
    GraphCase{.name = "1 cm", .resolution = 1}, GraphCase{.name = "1 mm", .resolution = 2},
    GraphCase{.name = "pinned red at the top", .power = "20000", .resolution = 2});

INSTANTIATE_TEST_SUITE_P(Graphs, SkippedRepeats, kCharts, CaseName());

// Every window draws with the same canvas, so each shows the pixels that the
// form with no toolkit draws from the same inputs, at every scale: the same
// pixels on every window.
class SameAsNoToolkit : public RecordedDrawing, public ::testing::WithParamInterface<GraphCase> {};

TEST_P(SameAsNoToolkit, AtEveryScale) {
    const GraphCase& chart = GetParam();
    for (const double ratio : {1.0, 1.5, 2.0}) {
        form.changeScale(ratio);
        enter(chart);
        form.graph();
        NullForm none(ratio);
        none.core().Form_Load();
        Obliging inputs(none.core());
        inputs.setText(TextField::Text1, chart.power);
        inputs.setText(TextField::Text3, chart.densityFull);
        inputs.setText(TextField::Text4, chart.distanceFull);
        inputs.setComboIndex(chart.resolution);
        none.setCheckState(chart.grid ? 1 : 0);
        none.core().Command1_Click();
        const Picture drawn = form.surface();
        ASSERT_TRUE(drawn == pictureOf(none.canvas())) << ratio;
        // The screen shows it one to one inside the border.
        if (ratio == std::floor(ratio) || form.oneToOneAtFractionalRatios()) {
            const int border = surface::deviceSize(layout::kSurfaceBorderPixels, ratio);
            EXPECT_TRUE(form.surfaceOnScreen().crop(
                            {border, border, drawn.width(), drawn.height()}) == drawn)
                << ratio;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Graphs, SameAsNoToolkit, kCharts, CaseName());

// Red along the top, the zone, the grid, the curve and the marker.
const GraphCase kEverything{.name = "everything", .power = "20000", .resolution = 2, .grid = true};

class ScaleChange : public RecordedDrawing, public ::testing::WithParamInterface<double> {};

TEST_P(ScaleChange, GivesThePictureOfAFreshGraphAtTheNewScale) {
    const double ratio = GetParam();
    enter(kEverything);
    form.graph();
    const Picture atOne = form.surface();

    form.changeScale(ratio);
    const Picture redrawn = form.surface();
    ASSERT_EQ(redrawn.width(), std::lround(439 * ratio));
    ASSERT_EQ(redrawn.height(), std::lround(319 * ratio));
    // The screen shows it one to one inside the border.
    if (ratio == std::floor(ratio) || form.oneToOneAtFractionalRatios()) {
        const int border = surface::deviceSize(layout::kSurfaceBorderPixels, ratio);
        EXPECT_TRUE(form.surfaceOnScreen().crop(
                        {border, border, redrawn.width(), redrawn.height()}) == redrawn);
    }
    form.graph();
    EXPECT_TRUE(form.surface() == redrawn);

    form.changeScale(1);  // and back, to the picture drawn there
    EXPECT_TRUE(form.surface() == atOne);
}

// The window moves while the sweep draws: the curve goes on at the new scale.
TEST_P(ScaleChange, InTheMiddleOfASweepGivesThePictureOfAFreshGraph) {
    const double ratio = GetParam();
    GraphCase longSweep = kEverything;
    longSweep.distanceFull = "10000";  // ten million passes, past a timer tick on every window
    enter(longSweep);
    bool duringSweep = false;
    form.every(1, [&] {
        form.stopTicks();
        duringSweep = !form.enabled("Command1");
        form.changeScale(ratio);
    });
    form.graph();
    form.stopTicks();
    ASSERT_TRUE(duringSweep);
    const Picture changedMidway = form.surface();
    form.graph();
    EXPECT_TRUE(form.surface() == changedMidway);
}

INSTANTIATE_TEST_SUITE_P(Ratios, ScaleChange, ::testing::Values(2.0, 1.5));

TEST_F(RecordedDrawing, AfterAClearAScaleChangeShowsOnlyTheBackground) {
    enter(kEverything);
    form.graph();
    form.obliging().clear();
    form.changeScale(2);
    EXPECT_TRUE(form.surface() == blankSurface(2));
}

// The record starts with the draw mode and width of the moment of the clear.
TEST_F(RecordedDrawing, DrawsAgainWithTheModeAndWidthInEffectAtTheClear) {
    Obliging surface = form.obliging();
    const auto draw = [&] {
        surface.clear();
        surface.drawLine(150, 1500, 3000, 1500, kRedPixel);  // over the emblem
        surface.fillBox(600, 600, 900, 2400, kBluePixel);
    };
    surface.setDrawMode(kDrawModeMaskPen);
    surface.setDrawWidth(3);
    surface.fillBox(1, 1, 6000, 4000, kBlackPixel);
    draw();
    form.changeScale(1.5);
    const Picture redrawn = form.surface();
    draw();
    EXPECT_TRUE(form.surface() == redrawn);
    const Colour beneath = blankSurface(1.5).at(100, 150);
    EXPECT_EQ(redrawn.at(100, 150), rgb(static_cast<std::uint8_t>(redOf(beneath)), 0, 0));
}

// Past its capacity the record is no longer the whole picture: a scale change
// stretches what was drawn, each pixel to the device pixels it covers.
TEST_F(RecordedDrawing, PastItsCapacityAScaleChangeStretchesThePicture) {
    Obliging surface = form.obliging();
    surface.setDrawMode(kDrawModeCopyPen);
    for (std::size_t i = 0; i <= DrawingRecord::kCapacity; ++i) {
        const std::size_t column = i % 400;
        const std::size_t row = i / 400;
        const auto x = static_cast<float>(column * 15);
        const auto y = static_cast<float>(row * 15);
        surface.drawLine(x, y, x, y, i % 2 == 0 ? kBluePixel : kRedPixel);
    }
    const Picture atOne = form.surface();
    form.changeScale(2);
    const Picture stretched = form.surface();
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
