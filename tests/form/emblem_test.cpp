// The emblem every window shows behind the chart.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <utility>

#include "picture.h"
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

// The emblem is the same to the byte at every ratio, however it is painted:
// at shrinking, fractional and whole ratios (the windows' own cases hold 1,
// 1.5 and 2).
TEST(Emblem, IsTheKnownPictureAtEveryRatio) {
    for (const auto& [ratio, digest] :
         {std::pair{0.69, 0xa9283e47bf8057e7ULL}, std::pair{1.25, 0x2e084a8b05508d4bULL},
          std::pair{1.75, 0x3ac26bce4d791d99ULL}, std::pair{3.0, 0xf89e67f25f3cef62ULL}}) {
        const GreyPicture emblem = makeEmblem(ratio);
        Picture picture(emblem.width, emblem.height);
        for (int y = 0; y < emblem.height; ++y) {
            for (int x = 0; x < emblem.width; ++x) {
                const std::uint8_t grey = emblem.at(x, y);
                picture.set(x, y, rgb(grey, grey, grey));
            }
        }
        EXPECT_EQ(digestOf(picture), digest) << "at " << ratio;
    }
}

}  // namespace
}  // namespace aurisplot::testing
