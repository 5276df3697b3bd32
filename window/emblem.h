#pragma once

#include <cstdint>
#include <vector>

namespace aurisplot {

// The plot surface's background emblem: a lattice antenna mast sending out
// waves, inside a ring, on white. It is drawn in code, so it is the project's
// own and renders sharp at any scale, and every window shows the same one.
inline constexpr int kEmblemWidth = 338;  // natural size, pixels
inline constexpr int kEmblemHeight = 323;
inline constexpr int kEmblemPalest = 255;  // white ground
inline constexpr int kEmblemDarkest = 228;

// A picture in grey levels, row by row from the top, left to right.
struct GreyPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> greys;

    [[nodiscard]] std::uint8_t at(int x, int y) const {
        return greys[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x)];
    }
};

// The emblem at its natural size times `scale` (device pixels per pixel),
// smaller or larger, drawn anew at that size; in grey levels from kEmblemPalest
// down to kEmblemDarkest, every one of them used at one device pixel a pixel.
// At a scale of 0 there is nothing.
[[nodiscard]] GreyPicture makeEmblem(double scale);

}  // namespace aurisplot
