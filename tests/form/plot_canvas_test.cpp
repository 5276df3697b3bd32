// The plot canvas on its own: which pixels a line covers, how wide pens and
// far-away lines come out, and when it asks its screen to show the picture.

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "window/plot_canvas.h"

namespace aurisplot::testing {
namespace {

// Counts what the canvas asks of the screen.
class CountingScreen final : public CanvasScreen {
  public:
    void showLater() override { ++later; }
    void showNow() override { ++now; }
    int later = 0;
    int now = 0;
};

constexpr Colour kBlack = 0;
constexpr float kTwips = 15;  // one pixel at one device pixel a pixel

class PlotCanvasTest : public ::testing::Test {
  protected:
    PlotCanvasTest() { canvas.clear(); }

    [[nodiscard]] bool black(int x, int y) const {
        return canvas.pixels()[static_cast<std::size_t>(y * canvas.width() + x)] ==
               canvasPixel(kBlack);
    }
    // The black pixels of a column, from the top.
    [[nodiscard]] std::vector<int> rowsAt(int x, int top, int bottom) const {
        std::vector<int> rows;
        for (int y = top; y <= bottom; ++y) {
            if (black(x, y)) {
                rows.push_back(y);
            }
        }
        return rows;
    }
    void line(int x1, int y1, int x2, int y2) {
        canvas.drawLine(static_cast<float>(x1) * kTwips, static_cast<float>(y1) * kTwips,
                        static_cast<float>(x2) * kTwips, static_cast<float>(y2) * kTwips, kBlack);
    }

    CountingScreen screen;
    PlotCanvas canvas{screen};
};

// The pixels Qt's aliased pen gives, which the Linux pictures have always had:
// the minor coordinate rounds differently up and down a slope.
TEST_F(PlotCanvasTest, SlantedLinesCoverThePixelsOfQtsPen) {
    line(10, 10, 13, 11);  // shallow, down to the right
    EXPECT_EQ(rowsAt(10, 5, 15), std::vector<int>{10});
    EXPECT_EQ(rowsAt(11, 5, 15), std::vector<int>{10});
    EXPECT_EQ(rowsAt(12, 5, 15), std::vector<int>{10});
    EXPECT_EQ(rowsAt(13, 5, 15), std::vector<int>{11});
    line(20, 12, 24, 10);  // up to the right: rows 12, 11, 11, 10, 10
    const std::vector<std::vector<int>> up{{12}, {11}, {11}, {10}, {10}};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(rowsAt(20 + k, 5, 15), up[static_cast<std::size_t>(k)]) << k;
    }
}

TEST_F(PlotCanvasTest, ALineIsTheSameWhicheverWayItIsDrawn) {
    line(30, 40, 90, 61);
    const std::vector<CanvasPixel> forward(canvas.pixels().begin(), canvas.pixels().end());
    canvas.clear();
    line(90, 61, 30, 40);
    EXPECT_TRUE(
        std::equal(canvas.pixels().begin(), canvas.pixels().end(), forward.begin(), forward.end()));
}

// At twice the pixels, a pen of one pixel is two device pixels square at each
// point it passes, right of and below it.
TEST_F(PlotCanvasTest, AWiderPenCoversTheDevicePixelsRightOfAndBelowEachPoint) {
    canvas.fit(439, 319, 2.0);
    canvas.clear();
    line(10, 10, 10, 10);
    EXPECT_EQ(rowsAt(20, 15, 25), (std::vector<int>{20, 21}));
    EXPECT_EQ(rowsAt(21, 15, 25), (std::vector<int>{20, 21}));
    EXPECT_TRUE(rowsAt(22, 15, 25).empty());
    EXPECT_TRUE(rowsAt(19, 15, 25).empty());
}

// A line that starts far outside the picture draws only what lies inside it,
// at once: the rasteriser does not walk the millions of pixels outside.
TEST_F(PlotCanvasTest, LinesFarOutsideTheInteriorDrawOnlyWhatIsInside) {
    canvas.drawLine(-1.0e8F, 100 * kTwips, 1.0e8F, 100 * kTwips, kBlack);
    for (const int x : {0, 200, canvas.width() - 1}) {
        EXPECT_TRUE(black(x, 100)) << x;
    }
    EXPECT_TRUE(rowsAt(200, 0, canvas.height() - 1) == std::vector<int>{100});
}

TEST_F(PlotCanvasTest, HeldDrawingIsShownOnlyWhenAskedAndOnceReleased) {
    screen = {};
    canvas.hold();
    for (int k = 0; k < 100; ++k) {
        line(k, 0, k, 50);
    }
    EXPECT_EQ(screen.later + screen.now, 0);
    canvas.showDrawing();
    canvas.showDrawing();  // nothing new since
    EXPECT_EQ(screen.now, 1);
    line(0, 60, 100, 60);
    canvas.release();
    EXPECT_EQ(screen.later, 1);  // what was left unshown
    line(0, 70, 100, 70);
    EXPECT_EQ(screen.later, 2);  // not held: every drawing is shown
}

}  // namespace
}  // namespace aurisplot::testing
