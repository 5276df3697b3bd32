#include "window/plot_canvas.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <optional>
#include <utility>

#include "window/emblem.h"
#include "window/form_layout.h"
#include "window/surface_geometry.h"

namespace aurisplot {
namespace {

[[nodiscard]] std::size_t area(int width, int height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

// a / b rounded to the nearest whole number, halves up, for b > 0.
[[nodiscard]] long long roundedDivision(long long a, long long b) {
    const long long twice = 2 * a + b;
    const long long quotient = twice / (2 * b);
    return twice % (2 * b) < 0 ? quotient - 1 : quotient;
}

}  // namespace

PlotCanvas::PlotCanvas(CanvasScreen& screen, ByteOrder order, double ratio)
    : screen_(screen), order_(order) {
    fit(ratio);
}

void PlotCanvas::fit(double ratio) {
    fit(layout::kPictureInterior.width, layout::kPictureInterior.height, ratio);
}

void PlotCanvas::fit(int width, int height, double ratio) {
    const int deviceWidth = std::max(surface::deviceSize(width, ratio), 0);
    const int deviceHeight = std::max(surface::deviceSize(height, ratio), 0);
    designWidth_ = width;
    designHeight_ = height;
    if (ratio == ratio_ && deviceWidth == width_ && deviceHeight == height_ && !emblems_.empty()) {
        return;
    }
    if (ratio != ratio_ || emblems_.empty()) {
        useEmblem(ratio);
        ratio_ = ratio;
        penThickness_ = surface::penThickness(drawWidth_, ratio_);
    }
    if (record_.complete() || pixels_.empty()) {
        width_ = deviceWidth;
        height_ = deviceHeight;
        pixels_.assign(area(width_, height_), 0);
        redraw();
    } else {
        stretchTo(deviceWidth, deviceHeight);
    }
    screen_.showLater();
}

float PlotCanvas::scaleWidth() const noexcept {
    return static_cast<float>(designWidth_ * layout::kTwipsPerPixel);
}

float PlotCanvas::scaleHeight() const noexcept {
    return static_cast<float>(designHeight_ * layout::kTwipsPerPixel);
}

Outcome PlotCanvas::clear() noexcept {
    record_.clear(drawMode_, drawWidth_);
    paintBackground();
    drawn();
    return Outcome::Done;
}

Outcome PlotCanvas::setDrawMode(int mode) noexcept {
    return surface::drawModeValid(mode) ? perform(DrawingOperation::drawMode(mode))
                                        : Outcome::Refused;
}

Outcome PlotCanvas::setDrawWidth(int pixels) noexcept {
    return surface::drawWidthValid(pixels) ? perform(DrawingOperation::drawWidth(pixels))
                                           : Outcome::Refused;
}

Outcome PlotCanvas::drawNewLine(float x1, float y1, float x2, float y2, Colour colour) noexcept {
    return perform(DrawingOperation::line(x1, y1, x2, y2, colour));
}

Outcome PlotCanvas::fillBox(float x1, float y1, float x2, float y2, Colour colour) noexcept {
    return perform(DrawingOperation::box(x1, y1, x2, y2, colour));
}

Outcome PlotCanvas::perform(const DrawingOperation& operation) noexcept {
    const bool done = record_.perform(operation, [this](const DrawingOperation& taken) {
        switch (taken.kind) {
            case DrawingOperation::Kind::DrawMode:
                drawMode_ = taken.setting;
                return true;
            case DrawingOperation::Kind::DrawWidth:
                drawWidth_ = taken.setting;
                penThickness_ = surface::penThickness(drawWidth_, ratio_);
                return true;
            case DrawingOperation::Kind::Line:
            case DrawingOperation::Kind::Box:
                if (!paint(taken)) {
                    return false;
                }
                drawn();
                return true;
        }
        return false;
    });
    return done ? Outcome::Done : Outcome::Refused;
}

void PlotCanvas::release() noexcept {
    held_ = false;
    if (unshown_) {
        unshown_ = false;
        screen_.showLater();
    }
}

void PlotCanvas::showDrawing() noexcept {
    if (unshown_) {
        unshown_ = false;
        screen_.showNow();
    }
}

void PlotCanvas::drawn() noexcept {
    if (held_) {
        unshown_ = true;
    } else {
        screen_.showLater();
    }
}

// Everything since the last clear, at the present scale: what a fresh Graph
// would draw here. What this scale refuses is left out, as a fresh Graph
// would leave it out.
void PlotCanvas::redraw() {
    paintBackground();
    record_.replay([this](int mode) { drawMode_ = mode; },
                   [this](int width) {
                       drawWidth_ = width;
                       penThickness_ = surface::penThickness(drawWidth_, ratio_);
                   },
                   [this](const DrawingOperation& shape) { static_cast<void>(paint(shape)); });
}

// Past the record's capacity: the picture so far, each new pixel taken from
// the old pixel it falls in.
void PlotCanvas::stretchTo(int width, int height) {
    std::vector<CanvasPixel> stretched(area(width, height));
    for (int y = 0; y < height; ++y) {
        const int fromY = static_cast<int>(static_cast<long long>(y) * height_ / height);
        for (int x = 0; x < width; ++x) {
            const int fromX = static_cast<int>(static_cast<long long>(x) * width_ / width);
            stretched[area(width, y) + static_cast<std::size_t>(x)] =
                pixels_[area(width_, fromY) + static_cast<std::size_t>(fromX)];
        }
    }
    pixels_ = std::move(stretched);
    width_ = width;
    height_ = height;
}

// The emblem at `ratio`, made once for each ratio of the last few and kept.
void PlotCanvas::useEmblem(double ratio) {
    const auto kept = std::find_if(emblems_.begin(), emblems_.end(),
                                   [ratio](const Emblem& emblem) { return emblem.ratio == ratio; });
    if (kept != emblems_.end()) {
        std::rotate(emblems_.begin(), kept, kept + 1);
        return;
    }
    const GreyPicture grey = makeEmblem(ratio);
    Emblem made{.ratio = ratio, .width = grey.width, .height = grey.height, .pixels = {}};
    made.pixels.resize(grey.greys.size());
    std::transform(
        grey.greys.begin(), grey.greys.end(), made.pixels.begin(),
        [this](std::uint8_t level) { return canvasPixel(rgb(level, level, level), order_); });
    if (emblems_.size() == kEmblemsKept) {
        emblems_.pop_back();
    }
    emblems_.push_back(std::move(made));
    std::rotate(emblems_.begin(), emblems_.end() - 1, emblems_.end());
}

// White, and the emblem at its natural size at the top-left, clipped by the interior.
void PlotCanvas::paintBackground() noexcept {
    std::fill(pixels_.begin(), pixels_.end(), canvasPixel(layout::kSurfaceBackground, order_));
    const Emblem& emblem = emblems_.front();
    const int rows = std::min(emblem.height, height_);
    const int columns = std::min(emblem.width, width_);
    for (int y = 0; y < rows; ++y) {
        const auto from =
            emblem.pixels.begin() + static_cast<std::ptrdiff_t>(area(emblem.width, y));
        std::copy(from, from + columns,
                  pixels_.begin() + static_cast<std::ptrdiff_t>(area(width_, y)));
    }
}

bool PlotCanvas::paint(const DrawingOperation& operation) noexcept {
    const std::optional<surface::DevicePoint> a =
        surface::devicePoint(operation.x1, operation.y1, ratio_);
    const std::optional<surface::DevicePoint> b =
        surface::devicePoint(operation.x2, operation.y2, ratio_);
    if (!a || !b) {
        return false;
    }
    const CanvasPixel pen = canvasPixel(operation.colour, order_);
    if (operation.kind == DrawingOperation::Kind::Box) {
        paintBox({a->x, a->y}, {b->x, b->y}, pen);
    } else {
        paintLine({a->x, a->y}, {b->x, b->y}, pen);
    }
    return true;
}

void PlotCanvas::paintBox(Point from, Point to, CanvasPixel pen) noexcept {
    fillRect(std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
             std::max(from.y, to.y), pen);
}

// One pixel for each pixel of the major axis, from the lower end to the
// higher, both included. The minor coordinate follows in 16.16 fixed point,
// its step rounded toward zero; it starts half a step in when it grows and at
// the end point when it shrinks. These are the pixels Qt's aliased square-cap
// pen gives, so the charts look as they always have.
//
// A pen n pixels wide puts the square of n pixels right of and below each of
// them. Since the minor coordinate moves at most one pixel a step, the squares
// over one position of the major axis make one run: each position is filled
// once, whatever the pen's width.
void PlotCanvas::paintLine(Point from, Point to, CanvasPixel pen) noexcept {
    const bool alongX = std::abs(to.x - from.x) >= std::abs(to.y - from.y);
    long long u0 = alongX ? from.x : from.y;
    long long v0 = alongX ? from.y : from.x;
    long long u1 = alongX ? to.x : to.y;
    long long v1 = alongX ? to.y : to.x;
    if (u0 > u1) {
        std::swap(u0, u1);
        std::swap(v0, v1);
    }
    const int n = penThickness_;
    const int extent = alongX ? width_ : height_;
    // Only the stretch whose squares can reach the picture.
    const long long first = std::max<long long>(u0, 1 - n);
    const long long last = std::min<long long>(u1, extent - 1);
    if (first > last) {
        return;
    }
    // A line that starts outside the picture is cut where its squares first
    // reach it, the minor coordinate there worked out exactly and rounded: the
    // rounded step would otherwise add its error up over all of the stretch
    // before, millions of pixels for a far-away end.
    if (u0 < first) {
        v0 += roundedDivision((v1 - v0) * (first - u0), u1 - u0);
        u0 = first;
    }
    const long long du = u1 - u0;
    const long long step = du == 0 ? 0 : ((v1 - v0) * 65536) / du;
    const long long start = v0 * 65536 + (step > 0 ? step - step / 2 : 0);
    const auto minorAt = [&](long long u) { return (start + (u - u0) * step) >> 16U; };
    const long long end = std::min<long long>(last + n - 1, extent - 1);
    for (long long w = std::max<long long>(first, 0); w <= end; ++w) {
        // The squares of the pixels from w - n + 1 to w cover position w.
        const long long a = minorAt(std::max(first, w - n + 1));
        const long long b = minorAt(std::min(last, w));
        fillRun(static_cast<int>(w), std::min(a, b), std::max(a, b) + n - 1, alongX, pen);
    }
}

// Position u of the major axis, from vFirst to vLast on the minor one, both
// included, where they lie in the picture.
void PlotCanvas::fillRun(int u, long long vFirst, long long vLast, bool alongX,
                         CanvasPixel pen) noexcept {
    const long long across = alongX ? height_ : width_;
    const int first = static_cast<int>(std::max<long long>(vFirst, 0));
    const int last = static_cast<int>(std::min<long long>(vLast, across - 1));
    if (alongX) {
        fillRect(u, first, u, last, pen);
    } else {
        fillRect(first, u, last, u, pen);
    }
}

// The pixels from (left, top) to (right, bottom), both included, that lie in
// the picture, under the draw mode.
void PlotCanvas::fillRect(int left, int top, int right, int bottom, CanvasPixel pen) noexcept {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_ - 1);
    bottom = std::min(bottom, height_ - 1);
    if (left > right || top > bottom) {
        return;  // none of it lies in the picture
    }
    for (int y = top; y <= bottom; ++y) {
        CanvasPixel* row = pixels_.data() + area(width_, y);
        if (drawMode_ == kDrawModeMaskPen) {
            for (int x = left; x <= right; ++x) {
                row[x] &= pen;
            }
        } else {
            std::fill(row + left, row + right + 1, pen);
        }
    }
}

}  // namespace aurisplot
