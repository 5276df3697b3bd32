// The plot canvas on its own: which pixels a line covers, how wide pens and
// far-away lines come out, and when it asks its screen to show the picture.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "window/emblem.h"
#include "window/plot_canvas.h"

namespace aurisplot::testing {
namespace {

// Counts what the canvas asks of the screen.
class CountingScreen final : public CanvasScreen {
  public:
    void showLater() noexcept override { ++later; }
    void showNow() noexcept override { ++now; }
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
               canvasPixel(kBlack, ByteOrder::Bgra);
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

// The pen's rounding does not add up over the stretch outside: a line from ten
// million pixels to the left ends where it ends.
TEST_F(PlotCanvasTest, AFarLineEndsAtItsEnd) {
    canvas.drawLine(-1.5e8F, 0, 400 * kTwips, 300 * kTwips, kBlack);
    EXPECT_EQ(rowsAt(400, 0, canvas.height() - 1), std::vector<int>{300});
    EXPECT_EQ(rowsAt(0, 0, canvas.height() - 1), std::vector<int>{300});
}

// A box is filled where it lies in the picture, and nowhere else.
TEST_F(PlotCanvasTest, BoxesAreFilledOnlyInsideThePicture) {
    const std::vector<CanvasPixel> blank(canvas.pixels().begin(), canvas.pixels().end());
    const float right = static_cast<float>(canvas.width() + 10) * kTwips;
    const float below = static_cast<float>(canvas.height() + 10) * kTwips;
    for (const int mode : {kDrawModeCopyPen, kDrawModeMaskPen}) {
        canvas.setDrawMode(mode);
        canvas.fillBox(right, 10 * kTwips, right + 20 * kTwips, 20 * kTwips, kBlack);
        canvas.fillBox(10 * kTwips, below, 20 * kTwips, below + 5 * kTwips, kBlack);
        canvas.fillBox(-30 * kTwips, -30 * kTwips, -10 * kTwips, -10 * kTwips, kBlack);
    }
    EXPECT_TRUE(
        std::equal(canvas.pixels().begin(), canvas.pixels().end(), blank.begin(), blank.end()));
    canvas.fillBox(-30 * kTwips, -30 * kTwips, 2 * kTwips, 1 * kTwips, kBlack);
    EXPECT_EQ(rowsAt(2, 0, 10), (std::vector<int>{0, 1}));
    EXPECT_TRUE(rowsAt(3, 0, 10).empty());
}

// A wide pen covers the squares of each point it passes, as a square drawn at
// every one of them would, in either draw mode.
TEST_F(PlotCanvasTest, AWidePenCoversTheSquaresOfEveryPoint) {
    constexpr int kPen = 7;
    for (const auto& [x1, y1, x2, y2] : {std::array{10, 20, 200, 90}, std::array{50, 300, 70, 5},
                                         std::array{430, 310, 400, 318}}) {
        canvas.clear();
        line(x1, y1, x2, y2);  // the pixels of a pen one pixel wide
        std::vector<std::pair<int, int>> points;
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                if (black(x, y)) {
                    points.emplace_back(x, y);
                }
            }
        }
        canvas.clear();
        for (const auto& [x, y] : points) {
            canvas.fillBox(static_cast<float>(x) * kTwips, static_cast<float>(y) * kTwips,
                           static_cast<float>(x + kPen - 1) * kTwips,
                           static_cast<float>(y + kPen - 1) * kTwips, kBlack);
        }
        const std::vector<CanvasPixel> squares(canvas.pixels().begin(), canvas.pixels().end());
        canvas.clear();
        canvas.setDrawWidth(kPen);
        line(x1, y1, x2, y2);
        canvas.setDrawWidth(1);
        EXPECT_TRUE(std::equal(canvas.pixels().begin(), canvas.pixels().end(), squares.begin(),
                               squares.end()))
            << x1 << "," << y1 << " to " << x2 << "," << y2;
    }
}

// Scaled down, the emblem is drawn smaller, not cropped; scaled to nothing,
// there is no picture, and drawing on it does nothing.
TEST_F(PlotCanvasTest, BelowOneDevicePixelAPixelTheEmblemShrinksAndAtNoneNothingIsDrawn) {
    canvas.fit(439, 319, 0.5);
    canvas.clear();
    ASSERT_EQ(canvas.width(), 220);
    const GreyPicture emblem = makeEmblem(0.5);
    EXPECT_EQ(emblem.width, 169);
    int differing = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const std::uint8_t grey =
                x < emblem.width && y < emblem.height ? emblem.at(x, y) : std::uint8_t{255};
            differing += canvas.colourAt(x, y) == rgb(grey, grey, grey) ? 0 : 1;
        }
    }
    EXPECT_EQ(differing, 0);

    canvas.fit(439, 319, 0);
    EXPECT_EQ(canvas.width() * canvas.height(), 0);
    canvas.clear();
    canvas.setDrawWidth(5);
    line(0, 0, 400, 300);
    canvas.fillBox(0, 0, 6000, 4000, kBlack);
    EXPECT_TRUE(canvas.pixels().empty());
    canvas.fit(439, 319, 1);
    EXPECT_EQ(canvas.width(), 439);
    EXPECT_TRUE(black(100, 100) && black(200, 75)) << "the record drawn again at the new scale";
}

// Each screen has the bytes in the order it takes them.
TEST(PlotCanvasBytes, AreInTheOrderOfTheScreen) {
    CountingScreen screen;
    for (const ByteOrder order : {ByteOrder::Bgra, ByteOrder::Rgba}) {
        PlotCanvas canvas(screen, order);
        canvas.clear();
        canvas.drawLine(0, 0, 0, 0, rgb(255, 128, 0));
        std::array<unsigned char, 4> bytes{};
        std::memcpy(bytes.data(), canvas.pixels().data(), bytes.size());
        EXPECT_EQ(bytes, order == ByteOrder::Rgba
                             ? (std::array<unsigned char, 4>{255, 128, 0, 255})
                             : (std::array<unsigned char, 4>{0, 128, 255, 255}));
        EXPECT_EQ(canvas.colourAt(0, 0), rgb(255, 128, 0));
    }
}

// A line that repeats the last one is not drawn again, and nothing else is
// taken for a repeat: another colour, another end, or a box on the same
// corners is drawn.
TEST_F(PlotCanvasTest, OnlyTheSameLineAgainIsSkipped) {
    constexpr Colour kRed = rgb(255, 0, 0);
    const auto colourAt = [&](int x, int y) { return canvas.colourAt(x, y); };
    line(10, 10, 20, 10);
    const int shown = screen.later;
    line(10, 10, 20, 10);
    EXPECT_EQ(screen.later, shown);  // skipped: nothing to show
    canvas.drawLine(10 * kTwips, 10 * kTwips, 20 * kTwips, 10 * kTwips, kRed);
    EXPECT_EQ(colourAt(15, 10), kRed);
    canvas.drawLine(10 * kTwips, 10 * kTwips, 20 * kTwips, 12 * kTwips, kRed);
    EXPECT_EQ(colourAt(20, 12), kRed);
    canvas.fillBox(10 * kTwips, 10 * kTwips, 20 * kTwips, 12 * kTwips, kRed);
    EXPECT_EQ(colourAt(10, 12), kRed);
    line(10, 10, 20, 10);
    EXPECT_EQ(colourAt(15, 10), kBlack);
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
