#include "window/emblem.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace aurisplot {
namespace {

struct Point {
    double x;
    double y;
};

constexpr double kFullInk = kEmblemPalest - kEmblemDarkest;  // 27 steps below white

constexpr Point kCentre{169, 158};  // of the ring
constexpr Point kApex{169, 70};     // tip of the mast, source of the waves
constexpr double kBaseY = 262;      // foot of the mast and the ground line
constexpr double kBaseHalfWidth = 42;
constexpr std::array kBraceHeights{112.0, 160.0, 208.0, kBaseY};
constexpr std::array kWaveRadii{26.0, 46.0, 66.0, 86.0, 106.0};
constexpr double kWaveHalfAngle = 0.70;  // radians either side of the horizontal

[[nodiscard]] double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

[[nodiscard]] double distanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double t =
        std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return distance(p, {a.x + t * dx, a.y + t * dy});
}

// x of the mast's left leg at height y (the right leg mirrors it).
[[nodiscard]] double leftLegX(double y) {
    return kApex.x - kBaseHalfWidth * (y - kApex.y) / (kBaseY - kApex.y);
}

// How much ink the emblem puts at point p (emblem pixels), from 0 (white) to
// kFullInk. Strokes are antialiased over one device pixel, `pixel` emblem
// pixels wide, which yields the intermediate grey levels.
[[nodiscard]] double inkAt(Point p, double pixel) {
    double ink = 0;
    const auto stroke = [&](double dist, double halfWidth, double strength) {
        const double cover = std::clamp((halfWidth - dist) / pixel + 0.5, 0.0, 1.0);
        ink = std::max(ink, strength * cover);
    };

    // A soft glow fading out towards the ring, and the ring itself.
    const double fromCentre = distance(p, kCentre);
    const double glow = std::max(0.0, 1.0 - fromCentre / 154.0);
    ink = 7.0 * glow * glow;
    stroke(std::abs(fromCentre - 150.0), 3.0, 14.0);
    stroke(std::abs(fromCentre - 141.0), 0.8, 10.0);

    // Waves: arcs around the apex, fading with distance, on both sides.
    const double fromApex = distance(p, kApex);
    const double angle = std::atan2(p.y - kApex.y, std::abs(p.x - kApex.x));
    const double onArc = std::clamp(angle, -kWaveHalfAngle, kWaveHalfAngle);
    double strength = 24.0;
    for (const double radius : kWaveRadii) {
        const Point nearest{kApex.x + radius * std::cos(onArc), kApex.y + radius * std::sin(onArc)};
        stroke(distance({kApex.x + std::abs(p.x - kApex.x), p.y}, nearest), 1.6, strength);
        strength -= 3.0;
    }

    // The mast: two legs, cross braces, a tip, and the ground it stands on.
    stroke(distanceToSegment(p, {70, kBaseY}, {268, kBaseY}), 1.5, 16.0);
    const Point footLeft{leftLegX(kBaseY), kBaseY};
    const Point footRight{2 * kApex.x - footLeft.x, kBaseY};
    stroke(distanceToSegment(p, kApex, footLeft), 2.5, kFullInk);
    stroke(distanceToSegment(p, kApex, footRight), 2.5, kFullInk);
    double upper = kApex.y + 22.0;
    for (const double lower : kBraceHeights) {
        const Point upperLeft{leftLegX(upper), upper};
        const Point upperRight{2 * kApex.x - upperLeft.x, upper};
        const Point lowerLeft{leftLegX(lower), lower};
        const Point lowerRight{2 * kApex.x - lowerLeft.x, lower};
        stroke(distanceToSegment(p, lowerLeft, lowerRight), 1.2, 22.0);
        stroke(distanceToSegment(p, upperLeft, lowerRight), 1.0, 20.0);
        stroke(distanceToSegment(p, upperRight, lowerLeft), 1.0, 20.0);
        upper = lower;
    }
    stroke(fromApex, 6.0, kFullInk);
    return ink;
}

}  // namespace

GreyPicture makeEmblem(double scale) {
    scale = std::max(scale, 1.0);
    GreyPicture emblem;
    emblem.width = static_cast<int>(std::lround(kEmblemWidth * scale));
    emblem.height = static_cast<int>(std::lround(kEmblemHeight * scale));
    emblem.greys.reserve(static_cast<std::size_t>(emblem.width) *
                         static_cast<std::size_t>(emblem.height));
    for (int row = 0; row < emblem.height; ++row) {
        for (int column = 0; column < emblem.width; ++column) {
            const Point p{(column + 0.5) / scale, (row + 0.5) / scale};
            const long ink = std::lround(inkAt(p, 1.0 / scale));
            emblem.greys.push_back(static_cast<std::uint8_t>(kEmblemPalest - ink));
        }
    }
    return emblem;
}

}  // namespace aurisplot
