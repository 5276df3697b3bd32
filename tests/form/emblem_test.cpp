// The emblem every window shows behind the chart.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "window/emblem.h"

namespace aurisplot::testing {
namespace {

TEST(Emblem, HasItsSizeAndTwentyEightPaleGreysOnWhite) {
    const GreyPicture emblem = makeEmblem(1.0);
    EXPECT_EQ(emblem.width, 338);
    EXPECT_EQ(emblem.height, 323);
    const std::set<int> greys(emblem.greys.begin(), emblem.greys.end());
    EXPECT_EQ(greys.size(), 28U);
    EXPECT_EQ(*greys.begin(), 228);
    EXPECT_EQ(*greys.rbegin(), 255);
    EXPECT_EQ(emblem.at(0, 0), 255);  // on a white ground
}

// At twice the size it is drawn again, not stretched: no block of four pixels
// repeats every pixel of the natural size.
TEST(Emblem, IsDrawnAgainAtEveryScale) {
    const GreyPicture natural = makeEmblem(1.0);
    const GreyPicture twice = makeEmblem(2.0);
    EXPECT_EQ(twice.width, 676);
    EXPECT_EQ(twice.height, 646);
    int stretched = 0;
    for (int y = 0; y < natural.height; ++y) {
        for (int x = 0; x < natural.width; ++x) {
            const int v = natural.at(x, y);
            stretched += twice.at(2 * x, 2 * y) == v && twice.at(2 * x + 1, 2 * y) == v &&
                                 twice.at(2 * x, 2 * y + 1) == v &&
                                 twice.at(2 * x + 1, 2 * y + 1) == v
                             ? 0
                             : 1;
        }
    }
    EXPECT_GT(stretched, 1000);
}

}  // namespace
}  // namespace aurisplot::testing
