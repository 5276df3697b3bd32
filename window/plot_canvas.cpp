#include "window/plot_canvas.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <utility>

#include "window/emblem.h"
#include "window/form_layout.h"
#include "window/surface_geometry.h"

namespace aurisplot {
namespace {

[[nodiscard]] std::size_t area(int width, int height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

PlotCanvas::PlotCanvas(CanvasScreen& screen) : screen_(screen) {
    const layout::TwipRect& design = layout::control("Picture1").place;
    const int border = 2 * layout::kSurfaceBorderPixels;
    fit(layout::pixels(design.width) - border, layout::pixels(design.height) - border, 1.0);
}

void PlotCanvas::fit(int width, int height, double ratio) {
    const int deviceWidth = std::max(surface::deviceSize(width, ratio), 0);
    const int deviceHeight = std::max(surface::deviceSize(height, ratio), 0);
    designWidth_ = width;
    designHeight_ = height;
    if (ratio == ratio_ && deviceWidth == width_ && deviceHeight == height_) {
        return;
    }
    if (ratio != ratio_) {
        const GreyPicture grey = makeEmblem(ratio);
        emblemWidth_ = grey.width;
        emblemHeight_ = grey.height;
        emblem_.resize(grey.greys.size());
        std::transform(grey.greys.begin(), grey.greys.end(), emblem_.begin(),
                       [](std::uint8_t level) { return canvasPixel(rgb(level, level, level)); });
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

float PlotCanvas::scaleWidth() const {
    return static_cast<float>(designWidth_ * layout::kTwipsPerPixel);
}

float PlotCanvas::scaleHeight() const {
    return static_cast<float>(designHeight_ * layout::kTwipsPerPixel);
}

void PlotCanvas::clear() {
    record_.clear(drawMode_, drawWidth_);
    paintBackground();
    drawn();
}

void PlotCanvas::setDrawMode(int mode) {
    const int checked = surface::checkedDrawMode(mode);
    record_.perform(DrawingOperation::drawMode(checked),
                    [this](const DrawingOperation& setting) { drawMode_ = setting.setting; });
}

void PlotCanvas::setDrawWidth(int pixels) {
    const int checked = surface::checkedDrawWidth(pixels);
    record_.perform(DrawingOperation::drawWidth(checked), [this](const DrawingOperation& setting) {
        drawWidth_ = setting.setting;
        penThickness_ = surface::penThickness(drawWidth_, ratio_);
    });
}

void PlotCanvas::drawLine(float x1, float y1, float x2, float y2, Colour colour) {
    record_.perform(DrawingOperation::line(x1, y1, x2, y2, colour),
                    [this](const DrawingOperation& line) {
                        paint(line);
                        drawn();
                    });
}

void PlotCanvas::fillBox(float x1, float y1, float x2, float y2, Colour colour) {
    record_.perform(DrawingOperation::box(x1, y1, x2, y2, colour),
                    [this](const DrawingOperation& box) {
                        paint(box);
                        drawn();
                    });
}

void PlotCanvas::release() {
    held_ = false;
    if (unshown_) {
        unshown_ = false;
        screen_.showLater();
    }
}

void PlotCanvas::showDrawing() {
    if (unshown_) {
        unshown_ = false;
        screen_.showNow();
    }
}

void PlotCanvas::drawn() {
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
                   [this](const DrawingOperation& shape) { paint(shape); });
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

// White, and the emblem at its natural size at the top-left, clipped by the interior.
void PlotCanvas::paintBackground() {
    std::fill(pixels_.begin(), pixels_.end(), canvasPixel(layout::kSurfaceBackground));
    const int rows = std::min(emblemHeight_, height_);
    const int columns = std::min(emblemWidth_, width_);
    for (int y = 0; y < rows; ++y) {
        const auto from = emblem_.begin() + static_cast<std::ptrdiff_t>(area(emblemWidth_, y));
        std::copy(from, from + columns,
                  pixels_.begin() + static_cast<std::ptrdiff_t>(area(width_, y)));
    }
}

void PlotCanvas::paint(const DrawingOperation& operation) {
    const surface::DevicePoint a = surface::devicePoint(operation.x1, operation.y1, ratio_);
    const surface::DevicePoint b = surface::devicePoint(operation.x2, operation.y2, ratio_);
    const CanvasPixel pen = canvasPixel(operation.colour);
    if (operation.kind == DrawingOperation::Kind::Box) {
        paintBox({a.x, a.y}, {b.x, b.y}, pen);
    } else {
        paintLine({a.x, a.y}, {b.x, b.y}, pen);
    }
}

void PlotCanvas::paintBox(Point from, Point to, CanvasPixel pen) {
    fillRect(std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
             std::max(from.y, to.y), pen);
}

// One pixel for each pixel of the major axis, from the lower end to the
// higher, both included. The minor coordinate follows in 16.16 fixed point,
// its step rounded toward zero; it starts half a step in when it grows and at
// the end point when it shrinks. These are the pixels Qt's aliased square-cap
// pen gives, so the charts look as they always have.
void PlotCanvas::paintLine(Point from, Point to, CanvasPixel pen) {
    const bool alongX = std::abs(to.x - from.x) >= std::abs(to.y - from.y);
    int u0 = alongX ? from.x : from.y;
    int v0 = alongX ? from.y : from.x;
    int u1 = alongX ? to.x : to.y;
    int v1 = alongX ? to.y : to.x;
    if (u0 > u1) {
        std::swap(u0, u1);
        std::swap(v0, v1);
    }
    const long long du = u1 - u0;
    const long long step = du == 0 ? 0 : (static_cast<long long>(v1 - v0) * 65536) / du;
    const long long start = static_cast<long long>(v0) * 65536 + (step > 0 ? step - step / 2 : 0);
    // Only the stretch that can reach the picture, a pen's width before it included.
    const int extent = alongX ? width_ : height_;
    const int first = std::max(u0, 1 - penThickness_);
    const int last = std::min(u1, extent - 1);
    for (int u = first; u <= last; ++u) {
        const long long v = (start + (u - u0) * step) >> 16U;
        if (v < -penThickness_ || v > (alongX ? height_ : width_)) {
            continue;
        }
        const int minor = static_cast<int>(v);
        if (alongX) {
            fillRect(u, minor, u + penThickness_ - 1, minor + penThickness_ - 1, pen);
        } else {
            fillRect(minor, u, minor + penThickness_ - 1, u + penThickness_ - 1, pen);
        }
    }
}

// The pixels from (left, top) to (right, bottom), both included, that lie in
// the picture, under the draw mode.
void PlotCanvas::fillRect(int left, int top, int right, int bottom, CanvasPixel pen) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_ - 1);
    bottom = std::min(bottom, height_ - 1);
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
