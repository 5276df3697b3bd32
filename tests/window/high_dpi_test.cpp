// At a scale factor above 1 (their own CTest entries, --scale=2 and
// --scale=1.5): the same layout in logical pixels, and the chart drawn at
// device resolution, each line on the device pixels its twips give.

#include <cmath>
#include <utility>

#include "engine/chart_mapping.h"
#include "engine/power_density.h"
#include "form_driver.h"
#include "window/emblem.h"

namespace aurisplot::testing {
namespace {

class HighDpi : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        ratio = form.ratio();
        ASSERT_GT(ratio, 1.0) << "run with --scale=2 or --scale=1.5";
    }

    // The device pixel that holds a point given in twips, as drawn in single
    // precision: 15 twips to a logical pixel, `ratio` device pixels to that.
    [[nodiscard]] int device(double twips) const {
        return static_cast<int>(
            std::floor(static_cast<double>(static_cast<float>(twips)) * ratio / 15));
    }
    // A pen one logical pixel wide covers this many device pixels right of and
    // below the point.
    [[nodiscard]] int penWidth() const { return static_cast<int>(std::lround(ratio)); }

    // Of the pixels in a row (or column) from `first` to `last`, which are of
    // the colour, as the coordinates where they start and end.
    [[nodiscard]] static std::pair<int, int> run(const Picture& picture, bool alongRow, int at,
                                                 int first, int last, Colour colour) {
        int from = -1;
        int to = -1;
        for (int i = first; i <= last; ++i) {
            const Colour c = alongRow ? picture.at(i, at) : picture.at(at, i);
            if (c == colour) {
                from = from < 0 ? i : from;
                to = i;
            }
        }
        return {from, to};
    }

    double ratio = 1;
};

TEST_F(HighDpi, LayoutIsTheSameAndTheChartIsSharp) {
    EXPECT_EQ(form.client(), (PixelRect{0, 0, 542, 434}));
    EXPECT_EQ(form.place("Command1"), (PixelRect{368, 392, 81, 33}));
    EXPECT_EQ(form.obliging().scaleWidth(), 439.0F * 15);  // twips do not change with the display

    const int width = static_cast<int>(std::lround(439 * ratio));
    const int height = static_cast<int>(std::lround(319 * ratio));
    const GreyPicture emblem = makeEmblem(ratio);
    {
        const Picture picture = form.surface();
        ASSERT_EQ(picture.width(), width);
        ASSERT_EQ(picture.height(), height);
        for (int y = 0; y < std::min(height, emblem.height); ++y) {
            for (int x = 0; x < std::min(width, emblem.width); ++x) {
                const std::uint8_t grey = emblem.at(x, y);
                ASSERT_EQ(picture.at(x, y), rgb(grey, grey, grey)) << x << "," << y;
            }
        }
    }

    form.click("Command1");
    ASSERT_TRUE(waitForResult("2m"));
    const Picture picture = form.surface();
    // Only the chart's own colours: nothing blurred into in-between shades.
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Colour c = picture.at(x, y);
            const bool grey = redOf(c) == greenOf(c) && greenOf(c) == blueOf(c) && redOf(c) >= 228;
            const bool zone = greenOf(c) == 0 && blueOf(c) == 0 && redOf(c) >= 228;
            const bool pen = c == kBlackPixel || c == kBluePixel;
            ASSERT_TRUE(grey || zone || pen) << x << "," << y;
        }
    }
    // The screen shows it one to one, inside the one-pixel border (at a
    // fractional factor the border itself falls between device pixels).
    if (ratio == std::floor(ratio)) {
        const int border = penWidth();
        EXPECT_TRUE(form.surfaceOnScreen().crop({border, border, width, height}) == picture);
    }
}

// The default chart, whose surface is 6585 x 4785 twips.
TEST_F(HighDpi, ZoneMarkerAndCurveFallOnTheDevicePixelsOfTheirTwips) {
    form.click("Command1");
    ASSERT_TRUE(waitForResult("2m"));
    const Picture picture = form.surface();
    const int pen = penWidth();

    // The zone, from (1, y(5)) to (W, 1): y(5) = 0.75 H = 3588.75 twips, in a
    // column right of the curve's steep start.
    const int column = device(5000);
    const auto [zoneTop, zoneBottom] =
        run(picture, false, column, 0, picture.height() - 1, kRedPixel);
    EXPECT_EQ(zoneTop, device(1)) << "zone";
    EXPECT_EQ(zoneBottom, device(3588.75)) << "zone";

    // The limit marker at x = floor(0.2 W) = 1317 twips, from y = 1 down.
    const auto [blueLeft, blueRight] =
        run(picture, true, device(3000), 0, picture.width() - 1, kBluePixel);
    EXPECT_EQ(blueLeft, device(1317)) << "limit marker";
    EXPECT_EQ(blueRight, device(1317) + pen - 1) << "limit marker";
    EXPECT_EQ(picture.at(blueLeft, device(1)), kBluePixel) << "limit marker top";

    // The curve's point at 9 m, (floor(0.9 W), floor(y(s(9)))), where the
    // segments on either side run almost level. The pen covers the point and
    // the pixels right of and below it; the segment arriving from the left may
    // reach into its column a row higher.
    const ChartMapping chart{6585, 4785, 20, 10};
    const double x = std::floor(chart.x(9));
    const double y = std::floor(chart.y(powerDensity(600, std::pow(10.0, 0.22), 9)));
    const auto [top, bottom] =
        run(picture, false, device(x) + pen - 1, device(y) - 4, device(y) + 4, kBlackPixel);
    EXPECT_GE(top, device(y) - 1) << "curve";
    EXPECT_LE(top, device(y)) << "curve";
    EXPECT_EQ(bottom, device(y) + pen - 1) << "curve";
}

// The grid of the default chart: W / D = 658.5 and H / V = 239.25 twips apart.
TEST_F(HighDpi, GridLinesFallOnTheDevicePixelsOfTheirTwips) {
    form.setChecked(true);
    form.click("Command1");
    ASSERT_TRUE(waitForResult("2m"));
    const Picture picture = form.surface();
    const int pen = penWidth();

    // A vertical line, x = 1 + 3 W / D, crossing the zone in black.
    const auto [left, right] = run(picture, true, device(2000), device(1 + 2.5 * 658.5),
                                   device(1 + 3.5 * 658.5), kBlackPixel);
    EXPECT_EQ(left, device(1 + 3 * 658.5)) << "vertical";
    EXPECT_EQ(right, device(1 + 3 * 658.5) + pen - 1) << "vertical";

    // A horizontal line, y = 1 + 10 H / V, between two vertical ones.
    const auto [top, bottom] =
        run(picture, false, device(1 + 7.5 * 658.5), device(1 + 9.5 * 239.25),
            device(1 + 10.5 * 239.25), kBlackPixel);
    EXPECT_EQ(top, device(1 + 10 * 239.25)) << "horizontal";
    EXPECT_EQ(bottom, device(1 + 10 * 239.25) + pen - 1) << "horizontal";
}

}  // namespace
}  // namespace aurisplot::testing
