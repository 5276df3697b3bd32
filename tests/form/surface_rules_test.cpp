// The plot surface's rules, as every window draws them: pixel mapping,
// raster operations, refusals and the emblem.

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <set>
#include <utility>

#include "no_toolkit.h"

namespace aurisplot::testing {
namespace {

using SurfaceTest = NoToolkitTest;

TEST_F(SurfaceTest, DrawModesCopyThePenOrMaskWithIt) {
    struct Case {
        int mode;
        Colour beneath;
        Colour pen;
        Colour expected;
    };
    const std::array cases{
        Case{kDrawModeMaskPen, kWhitePixel, kRedPixel, rgb(255, 0, 0)},
        Case{kDrawModeMaskPen, rgb(228, 228, 228), kRedPixel, rgb(228, 0, 0)},
        Case{kDrawModeMaskPen, kBlackPixel, kRedPixel, kBlackPixel},
        Case{kDrawModeMaskPen, rgb(200, 100, 50), rgb(0xF0, 0x0F, 0xFF), rgb(192, 4, 50)},
        Case{kDrawModeCopyPen, rgb(228, 228, 228), kBluePixel, kBluePixel},
        Case{kDrawModeCopyPen, kWhitePixel, kBlackPixel, kBlackPixel},
    };
    for (const Case& c : cases) {
        surface.setDrawMode(kDrawModeCopyPen);
        surface.fillBox(150, 150, 450, 450, c.beneath);
        surface.setDrawMode(c.mode);
        surface.drawLine(150, 300, 450, 300, c.pen);  // row 20, columns 10 to 30
        surface.fillBox(150, 150, 450, 150, c.pen);   // row 10
        const Picture picture = drawn();
        EXPECT_EQ(picture.at(20, 20), c.expected) << c.mode << " over " << c.beneath;
        EXPECT_EQ(picture.at(20, 10), c.expected) << c.mode << " over " << c.beneath;
        EXPECT_EQ(picture.at(20, 25), c.beneath);  // untouched
    }
}

TEST_F(SurfaceTest, TwipsMapToThePixelThatHoldsThemEndsIncluded) {
    surface.setDrawMode(kDrawModeCopyPen);
    surface.drawLine(150, 74.9F, 300, 74.9F, kBlackPixel);    // row 4, columns 10 to 20
    surface.drawLine(464.9F, 300, 464.9F, 15, kBlackPixel);   // column 30, rows 1 to 20
    surface.fillBox(1200, 1200, 1050, 1064.9F, kBlackPixel);  // columns 70..80, rows 70..80
    const Picture picture = drawn();
    std::set<std::pair<int, int>> black;
    for (int x = 10; x <= 20; ++x) {
        black.insert({x, 4});
    }
    for (int y = 1; y <= 20; ++y) {
        black.insert({30, y});
    }
    for (int y = 70; y <= 80; ++y) {
        for (int x = 70; x <= 80; ++x) {
            black.insert({x, y});
        }
    }
    for (int y = 0; y <= 90; ++y) {
        for (int x = 0; x <= 90; ++x) {
            EXPECT_EQ(picture.at(x, y) == kBlackPixel, black.contains({x, y})) << x << "," << y;
        }
    }
}

TEST_F(SurfaceTest, SlantedLinesJoinTheirEndPointsEitherWay) {
    // The curve is drawn from each point back to the one before it.
    struct Line {
        int x1;
        int y1;
        int x2;
        int y2;
    };
    const std::array lines{Line{60, 40, 10, 10}, Line{10, 50, 60, 70}, Line{70, 10, 75, 60},
                           Line{100, 60, 80, 10}};
    surface.setDrawMode(kDrawModeCopyPen);
    for (const Line& l : lines) {
        surface.drawLine(static_cast<float>(l.x1 * 15), static_cast<float>(l.y1 * 15),
                         static_cast<float>(l.x2 * 15), static_cast<float>(l.y2 * 15), kBlackPixel);
    }
    const Picture picture = drawn();
    for (const Line& l : lines) {
        EXPECT_EQ(picture.at(l.x1, l.y1), kBlackPixel);
        EXPECT_EQ(picture.at(l.x2, l.y2), kBlackPixel);
        // One pixel per step along the longer axis.
        int lit = 0;
        for (int y = std::min(l.y1, l.y2); y <= std::max(l.y1, l.y2); ++y) {
            for (int x = std::min(l.x1, l.x2); x <= std::max(l.x1, l.x2); ++x) {
                lit += picture.at(x, y) == kBlackPixel ? 1 : 0;
            }
        }
        EXPECT_EQ(lit, std::max(std::abs(l.x2 - l.x1), std::abs(l.y2 - l.y1)) + 1);
    }
}

TEST_F(SurfaceTest, RefusesValuesItCannotDraw) {
    WindowServices& window = none.core();
    EXPECT_EQ(window.setDrawMode(7), Outcome::Refused);
    EXPECT_EQ(window.setDrawWidth(0), Outcome::Refused);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float huge = std::numeric_limits<float>::max();
    EXPECT_EQ(window.drawLine(nan, 0, 10, 10, 0), Outcome::Refused);
    EXPECT_EQ(window.fillBox(0, 0, huge, 10, 0), Outcome::Refused);
    EXPECT_TRUE(drawn() == blankSurface(1.0));  // nothing drawn
}

TEST_F(SurfaceTest, ClearBringsBackTheEmblem) {
    surface.setDrawMode(kDrawModeMaskPen);
    surface.fillBox(1, 1, 6000, 4000, kRedPixel);
    surface.clear();
    EXPECT_TRUE(drawn() == blankSurface(1.0));
}

}  // namespace
}  // namespace aurisplot::testing
