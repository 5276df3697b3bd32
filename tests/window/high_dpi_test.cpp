// At a scale factor above 1 (their own CTest entries, --scale=2 and
// --scale=1.5): the same layout in logical pixels, and the chart drawn at
// device resolution, each line on the device pixels its twips give.

#include <cmath>

#include "engine/chart_mapping.h"
#include "engine/power_density.h"
#include "form_fixture.h"
#include "window/emblem.h"

namespace aurisplot::testing {
namespace {

class HighDpi : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        ratio = form.devicePixelRatioF();
        ASSERT_GT(ratio, 1.0) << "run with --scale=2 or --scale=1.5";
    }

    // The device pixel that holds a point given in twips, as drawn in single
    // precision: 15 twips to a logical pixel, `ratio` device pixels to that.
    [[nodiscard]] int device(double twips) const {
        return static_cast<int>(std::floor(static_cast<float>(twips) * ratio / 15));
    }
    // A pen one logical pixel wide covers this many device pixels right of and
    // below the point.
    [[nodiscard]] int penWidth() const { return static_cast<int>(std::lround(ratio)); }

    // Of the pixels in a row (or column) from `first` to `last`, which are of
    // the colour, as the coordinates where they start and end.
    [[nodiscard]] static std::pair<int, int> run(const QImage& picture, bool alongRow, int at,
                                                 int first, int last, const QColor& colour) {
        int from = -1;
        int to = -1;
        for (int i = first; i <= last; ++i) {
            const QColor c = alongRow ? picture.pixelColor(i, at) : picture.pixelColor(at, i);
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
    EXPECT_EQ(form.size(), QSize(542, 434));
    EXPECT_EQ(form.Command1->geometry(), QRect(368, 392, 81, 33));
    EXPECT_EQ(form.scaleWidth(), 439.0F * 15);  // twips do not change with the display

    const QImage& picture = form.Picture1->picture();
    const QSize deviceSize(static_cast<int>(std::lround(439 * ratio)),
                           static_cast<int>(std::lround(319 * ratio)));
    ASSERT_EQ(picture.size(), deviceSize);
    const QImage emblem = makeEmblem(ratio);
    const QRect shown(QPoint(0, 0), emblem.size().boundedTo(deviceSize));
    EXPECT_EQ(picture.copy(shown), emblem.copy(shown));

    form.Command1->click();
    ASSERT_TRUE(waitForResult("2m"));
    // Only the chart's own colours: nothing blurred into in-between shades.
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            const bool grey = c.red() == c.green() && c.green() == c.blue() && c.red() >= 228;
            const bool zone = c.green() == 0 && c.blue() == 0 && c.red() >= 228;
            const bool pen = c == Qt::black || c == Qt::blue;
            ASSERT_TRUE(grey || zone || pen) << x << "," << y;
        }
    }
    // The screen shows it one to one, inside the one-pixel border (at a
    // fractional factor the border itself falls between device pixels).
    if (ratio == std::floor(ratio)) {
        const QImage screen = form.Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int border = penWidth();
        EXPECT_EQ(screen.copy(QRect(QPoint(border, border), deviceSize)), picture);
    }
}

// The default chart, whose surface is 6585 x 4785 twips.
TEST_F(HighDpi, ZoneMarkerAndCurveFallOnTheDevicePixelsOfTheirTwips) {
    form.Command1->click();
    ASSERT_TRUE(waitForResult("2m"));
    const QImage& picture = form.Picture1->picture();
    const int pen = penWidth();

    // The zone, from (1, y(5)) to (W, 1): y(5) = 0.75 H = 3588.75 twips, in a
    // column right of the curve's steep start.
    const int column = device(5000);
    const auto [zoneTop, zoneBottom] =
        run(picture, false, column, 0, picture.height() - 1, QColor(255, 0, 0));
    EXPECT_EQ(zoneTop, device(1)) << "zone";
    EXPECT_EQ(zoneBottom, device(3588.75)) << "zone";

    // The limit marker at x = floor(0.2 W) = 1317 twips, from y = 1 down.
    const auto [blueLeft, blueRight] =
        run(picture, true, device(3000), 0, picture.width() - 1, Qt::blue);
    EXPECT_EQ(blueLeft, device(1317)) << "limit marker";
    EXPECT_EQ(blueRight, device(1317) + pen - 1) << "limit marker";
    EXPECT_EQ(picture.pixelColor(blueLeft, device(1)), QColor(Qt::blue)) << "limit marker top";

    // The curve's point at 9 m, (floor(0.9 W), floor(y(s(9)))), where the
    // segments on either side run almost level.
    const ChartMapping chart{6585, 4785, 20, 10};
    const double x = std::floor(chart.x(9));
    const double y = std::floor(chart.y(powerDensity(600, std::pow(10.0, 0.22), 9)));
    const auto [top, bottom] =
        run(picture, false, device(x), device(y) - 4, device(y) + 4, Qt::black);
    EXPECT_EQ(top, device(y)) << "curve";
    EXPECT_EQ(bottom, device(y) + pen - 1) << "curve";
}

// The grid of the default chart: W / D = 658.5 and H / V = 239.25 twips apart.
TEST_F(HighDpi, GridLinesFallOnTheDevicePixelsOfTheirTwips) {
    form.Check1->setChecked(true);
    form.Command1->click();
    ASSERT_TRUE(waitForResult("2m"));
    const QImage& picture = form.Picture1->picture();
    const int pen = penWidth();

    // A vertical line, x = 1 + 3 W / D, crossing the zone in black.
    const auto [left, right] = run(picture, true, device(2000), device(1 + 2.5 * 658.5),
                                   device(1 + 3.5 * 658.5), Qt::black);
    EXPECT_EQ(left, device(1 + 3 * 658.5)) << "vertical";
    EXPECT_EQ(right, device(1 + 3 * 658.5) + pen - 1) << "vertical";

    // A horizontal line, y = 1 + 10 H / V, between two vertical ones.
    const auto [top, bottom] = run(picture, false, device(1 + 7.5 * 658.5),
                                   device(1 + 9.5 * 239.25), device(1 + 10.5 * 239.25), Qt::black);
    EXPECT_EQ(top, device(1 + 10 * 239.25)) << "horizontal";
    EXPECT_EQ(bottom, device(1 + 10 * 239.25) + pen - 1) << "horizontal";
}

}  // namespace
}  // namespace aurisplot::testing
