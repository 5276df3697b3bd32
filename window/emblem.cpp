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
constexpr double kWaveHalfWidth = 1.6;
constexpr double kWaveHalfAngle = 0.70;  // radians either side of the horizontal

[[nodiscard]] double distance(Point a, Point b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
}

// x of the mast's left leg at height y (the right leg mirrors it).
[[nodiscard]] constexpr double leftLegX(double y) {
    return kApex.x - kBaseHalfWidth * (y - kApex.y) / (kBaseY - kApex.y);
}

// A straight stroke: its ends, half its width and how much ink it puts down.
struct Segment {
    Point a;
    Point b;
    double halfWidth;
    double strength;

    // Whether p lies farther than `margin` outside the box around the ends,
    // and so farther than that from the stroke's axis.
    [[nodiscard]] bool beyond(Point p, double margin) const {
        return p.x < std::min(a.x, b.x) - margin || p.x > std::max(a.x, b.x) + margin ||
               p.y < std::min(a.y, b.y) - margin || p.y > std::max(a.y, b.y) + margin;
    }
};

// The mast's strokes, found once: two legs, the cross braces of each storey.
struct Mast {
    std::array<Segment, 2 + 3 * kBraceHeights.size()> strokes{};

    Mast() {
        const Point footLeft{leftLegX(kBaseY), kBaseY};
        const Point footRight{2 * kApex.x - footLeft.x, kBaseY};
        auto* next = strokes.begin();
        *next++ = {kApex, footLeft, 2.5, kFullInk};
        *next++ = {kApex, footRight, 2.5, kFullInk};
        double upper = kApex.y + 22.0;
        for (const double lower : kBraceHeights) {
            const Point upperLeft{leftLegX(upper), upper};
            const Point upperRight{2 * kApex.x - upperLeft.x, upper};
            const Point lowerLeft{leftLegX(lower), lower};
            const Point lowerRight{2 * kApex.x - lowerLeft.x, lower};
            *next++ = {lowerLeft, lowerRight, 1.2, 22.0};
            *next++ = {upperLeft, lowerRight, 1.0, 20.0};
            *next++ = {upperRight, lowerLeft, 1.0, 20.0};
            upper = lower;
        }
    }
};

[[nodiscard]] double distanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double t =
        std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return distance(p, {a.x + t * dx, a.y + t * dy});
}

// The ink a point gathers from the strokes, antialiased over one device pixel,
// `pixel` emblem pixels wide, which yields the intermediate grey levels. Each
// stroke is asked only where it can reach: everywhere else it adds nothing.
class Ink {
  public:
    Ink(const Mast& mast, double pixel)
        : mast_(mast), pixel_(pixel), reach_(pixel / 2), slope_(std::tan(kWaveHalfAngle)) {
        std::transform(kWaveRadii.begin(), kWaveRadii.end(), waves_.begin(), [](double radius) {
            return Wave{radius,
                        {radius * std::cos(kWaveHalfAngle), radius * std::sin(kWaveHalfAngle)}};
        });
    }

    // How much ink the emblem puts at point p (emblem pixels), from 0 (white)
    // to kFullInk.
    [[nodiscard]] double at(Point p) {
        // A soft glow fading out towards the ring, and the ring itself.
        const double fromCentre = distance(p, kCentre);
        const double glow = std::max(0.0, 1.0 - fromCentre / 154.0);
        ink_ = 7.0 * glow * glow;
        stroke(std::abs(fromCentre - 150.0), 3.0, 14.0);
        stroke(std::abs(fromCentre - 141.0), 0.8, 10.0);
        waves(p);
        mast(p);
        return ink_;
    }

  private:
    void stroke(double dist, double halfWidth, double strength) {
        if (dist < halfWidth + reach_) {
            const double cover = std::clamp((halfWidth - dist) / pixel_ + 0.5, 0.0, 1.0);
            ink_ = std::max(ink_, strength * cover);
        }
    }

    // Arcs around the apex, fading with distance, on both sides: the nearest
    // point of an arc lies on the ray to p while p is within its angle, and
    // is the arc's end beyond it.
    void waves(Point p) {
        const double dx = std::abs(p.x - kApex.x);  // both sides alike
        const double dy = p.y - kApex.y;
        const double fromApex = std::sqrt(dx * dx + dy * dy);
        if (fromApex > kWaveRadii.back() + kWaveHalfWidth + reach_) {
            return;
        }
        const bool withinAngle = std::abs(dy) <= slope_ * dx;
        // Beyond this from an arc's end, the arc adds no ink.
        const double reach = kWaveHalfWidth + reach_;
        double strength = 24.0;
        for (const Wave& wave : waves_) {
            if (withinAngle) {
                stroke(std::abs(fromApex - wave.radius), kWaveHalfWidth, strength);
            } else {
                const Point end{wave.end.x, std::copysign(wave.end.y, dy)};
                const double squared = (dx - end.x) * (dx - end.x) + (dy - end.y) * (dy - end.y);
                if (squared < reach * reach) {
                    stroke(std::sqrt(squared), kWaveHalfWidth, strength);
                }
            }
            strength -= 3.0;
        }
    }

    // The mast, its tip, and the ground it stands on.
    void mast(Point p) {
        if (std::abs(p.y - kBaseY) < 1.5 + reach_) {
            stroke(distanceToSegment(p, {70, kBaseY}, {268, kBaseY}), 1.5, 16.0);
        }
        constexpr double kWidest = 6.0;  // the tip's half width, the widest stroke
        if (p.y < kApex.y - kWidest - reach_ || p.y > kBaseY + kWidest + reach_ ||
            std::abs(p.x - kApex.x) > kBaseHalfWidth + kWidest + reach_) {
            return;
        }
        for (const Segment& s : mast_.strokes) {
            if (!s.beyond(p, s.halfWidth + reach_)) {
                stroke(distanceToSegment(p, s.a, s.b), s.halfWidth, s.strength);
            }
        }
        stroke(distance(p, kApex), kWidest, kFullInk);
    }

    const Mast& mast_;
    double pixel_;
    double reach_;  // beyond half a stroke's width and this, it adds no ink
    double slope_;  // of the waves' outermost rays
    // Each arc's radius and its upper end, relative to the apex.
    struct Wave {
        double radius;
        Point end;
    };
    std::array<Wave, kWaveRadii.size()> waves_{};
    double ink_ = 0;
};

}  // namespace

GreyPicture makeEmblem(double scale) {
    GreyPicture emblem;
    if (!(scale > 0)) {
        return emblem;
    }
    emblem.width = static_cast<int>(std::lround(kEmblemWidth * scale));
    emblem.height = static_cast<int>(std::lround(kEmblemHeight * scale));
    emblem.greys.reserve(static_cast<std::size_t>(emblem.width) *
                         static_cast<std::size_t>(emblem.height));
    const Mast mast;
    Ink ink(mast, 1.0 / scale);
    for (int row = 0; row < emblem.height; ++row) {
        for (int column = 0; column < emblem.width; ++column) {
            const Point p{(column + 0.5) / scale, (row + 0.5) / scale};
            const long level = std::lround(ink.at(p));
            emblem.greys.push_back(static_cast<std::uint8_t>(kEmblemPalest - level));
        }
    }
    return emblem;
}

}  // namespace aurisplot
