#pragma once

#include <QImage>

namespace aurisplot {

// The plot surface's background emblem: a lattice antenna mast sending out
// waves, inside a ring, on white. It is drawn in code, so it is the project's
// own and renders sharp at any device pixel ratio.
inline constexpr int kEmblemWidth = 338;  // natural size, pixels
inline constexpr int kEmblemHeight = 323;
inline constexpr int kEmblemPalest = 255;  // white ground
inline constexpr int kEmblemDarkest = 228;

// The emblem at its natural size times devicePixelRatio, in grey levels from
// kEmblemPalest down to kEmblemDarkest, every one of them used.
[[nodiscard]] QImage makeEmblem(double devicePixelRatio);

}  // namespace aurisplot
