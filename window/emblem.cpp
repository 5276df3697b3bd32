#include "window/emblem.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

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
constexpr Point kGroundLeft{70, kBaseY};  // the ground line's ends
constexpr Point kGroundRight{268, kBaseY};
constexpr double kGroundHalfWidth = 1.5;
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

// The ink the emblem puts down, row by row: each of its parts is asked only
// over the columns it can reach, where everywhere else it adds nothing. The
// ink is antialiased over one device pixel, `pixel` emblem pixels wide, which
// yields the intermediate grey levels. From 0 (white) to kFullInk.
class Ink {
  public:
    Ink(const Mast& mast, double scale, int width)
        : mast_(mast),
          scale_(scale),
          pixel_(1.0 / scale),
          reach_(pixel_ / 2),
          slope_(std::tan(kWaveHalfAngle)),
          centres_(static_cast<std::size_t>(width)) {
        for (std::size_t column = 0; column < centres_.size(); ++column) {
            centres_[column] = (static_cast<double>(column) + 0.5) / scale;
        }
        std::transform(kWaveRadii.begin(), kWaveRadii.end(), waves_.begin(), [](double radius) {
            return Wave{radius,
                        {radius * std::cos(kWaveHalfAngle), radius * std::sin(kWaveHalfAngle)}};
        });
    }

    // The ink of each pixel of `row`, from its left.
    void paintRow(int row, std::vector<double>& ink) const {
        const double y = (row + 0.5) / scale_;
        glowAndRing(y, ink);
        const double waveReach = kWaveRadii.back() + kWaveHalfWidth + reach_;
        if (std::abs(y - kApex.y) <= waveReach) {
            over(kApex.x - waveReach, kApex.x + waveReach, y, ink,
                 [this](Point p, double& at) { waves(p, at); });
        }
        mast(y, ink);
    }

  private:
    // Runs paint(p, ink) for each pixel of the row whose centre p lies within
    // x = from..to, and a pixel more on either side.
    template <typename Paint>
    void over(double from, double to, double y, std::vector<double>& ink, Paint paint) const {
        const auto columns = static_cast<double>(centres_.size());
        const auto first =
            static_cast<std::size_t>(std::clamp(std::floor(from * scale_) - 1, 0.0, columns));
        const auto end =
            static_cast<std::size_t>(std::clamp(std::ceil(to * scale_) + 1, 0.0, columns));
        for (std::size_t column = first; column < end; ++column) {
            paint(Point{centres_[column], y}, ink[column]);
        }
    }

    void stroke(double& ink, double dist, double halfWidth, double strength) const {
        if (dist < halfWidth + reach_) {
            const double cover = std::clamp((halfWidth - dist) / pixel_ + 0.5, 0.0, 1.0);
            ink = std::max(ink, strength * cover);
        }
    }

    // A soft glow fading out towards the ring, and the ring itself: across
    // the whole row, as the glow is.
    void glowAndRing(double y, std::vector<double>& ink) const {
        over(0, kEmblemWidth, y, ink, [this](Point p, double& at) {
            const double fromCentre = distance(p, kCentre);
            const double glow = std::max(0.0, 1.0 - fromCentre / 154.0);
            at = 7.0 * glow * glow;
            stroke(at, std::abs(fromCentre - 150.0), 3.0, 14.0);
            stroke(at, std::abs(fromCentre - 141.0), 0.8, 10.0);
        });
    }

    // Arcs around the apex, fading with distance, on both sides: the nearest
    // point of an arc lies on the ray to p while p is within its angle, and
    // is the arc's end beyond it.
    void waves(Point p, double& ink) const {
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
                stroke(ink, std::abs(fromApex - wave.radius), kWaveHalfWidth, strength);
            } else {
                const Point end{wave.end.x, std::copysign(wave.end.y, dy)};
                const double squared = (dx - end.x) * (dx - end.x) + (dy - end.y) * (dy - end.y);
                if (squared < reach * reach) {
                    stroke(ink, std::sqrt(squared), kWaveHalfWidth, strength);
                }
            }
            strength -= 3.0;
        }
    }

    // The ground the mast stands on, each of its strokes, and its tip.
    void mast(double y, std::vector<double>& ink) const {
        const double groundReach = kGroundHalfWidth + reach_;
        if (std::abs(y - kBaseY) < groundReach) {
            over(kGroundLeft.x - groundReach, kGroundRight.x + groundReach, y, ink,
                 [this](Point p, double& at) {
                     stroke(at, distanceToSegment(p, kGroundLeft, kGroundRight), kGroundHalfWidth,
                            16.0);
                 });
        }
        for (const Segment& s : mast_.strokes) {
            const double margin = s.halfWidth + reach_;
            if (y >= std::min(s.a.y, s.b.y) - margin && y <= std::max(s.a.y, s.b.y) + margin) {
                over(std::min(s.a.x, s.b.x) - margin, std::max(s.a.x, s.b.x) + margin, y, ink,
                     [&](Point p, double& at) {
                         if (!s.beyond(p, margin)) {
                             stroke(at, distanceToSegment(p, s.a, s.b), s.halfWidth, s.strength);
                         }
                     });
            }
        }
        constexpr double kTipHalfWidth = 6.0;  // the widest stroke
        const double tipReach = kTipHalfWidth + reach_;
        if (std::abs(y - kApex.y) < tipReach) {
            over(kApex.x - tipReach, kApex.x + tipReach, y, ink, [this](Point p, double& at) {
                stroke(at, distance(p, kApex), kTipHalfWidth, kFullInk);
            });
        }
    }

    const Mast& mast_;
    double scale_;  // device pixels an emblem pixel
    double pixel_;  // a device pixel, in emblem pixels
    double reach_;  // beyond half a stroke's width and this, it adds no ink
    double slope_;  // of the waves' outermost rays
    // Each arc's radius and its upper end, relative to the apex.
    struct Wave {
        double radius;
        Point end;
    };
    std::array<Wave, kWaveRadii.size()> waves_{};
    std::vector<double> centres_;  // x of each column's pixel centre, emblem pixels
};

// The nearest whole number, halves away from zero, as std::lround gives it,
// for the levels from 0 up: the fraction is exact, and no library call is made
// for each pixel.
[[nodiscard]] int roundLevel(double level) {
    const int whole = static_cast<int>(level);
    return level - whole >= 0.5 ? whole + 1 : whole;
}

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
    const Ink ink(mast, scale, emblem.width);
    std::vector<double> row(static_cast<std::size_t>(emblem.width));
    for (int y = 0; y < emblem.height; ++y) {
        ink.paintRow(y, row);
        for (const double level : row) {
            emblem.greys.push_back(static_cast<std::uint8_t>(kEmblemPalest - roundLevel(level)));
        }
    }
    return emblem;
}

}  // namespace aurisplot
