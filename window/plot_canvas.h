#pragma once

// Picture1's drawing, the same on every toolkit: a 32-bit picture of the
// surface's interior at device pixels, drawn by our own rasteriser with
// exactly the operations the engine asks for, over the emblem that a clear
// leaves behind. A toolkit's surface only shows the picture; it never draws
// the chart itself, so every window shows the same pixels.
//
// The rules, at `ratio` device pixels per pixel:
// - a point (x, y) in twips lies in the device pixel that holds it;
// - a line covers the pixels from one end to the other, both ends included,
//   one pixel of the major axis at a time, and a pen of width n covers the n
//   device pixels right of and below each of them (n scaled by the ratio);
// - a box covers both corners and everything between;
// - copy pen puts the colour, mask pen ANDs it with what lies beneath.
//
// What was drawn since the last clear is recorded (drawing_record.h): when the
// size or the ratio changes, the record is drawn again at the new scale, or,
// past its capacity, the old picture is stretched until the next clear.

#include <cstdint>
#include <span>
#include <vector>

#include "engine/window_services.h"
#include "window/drawing_record.h"

namespace aurisplot {

// A pixel of the picture, opaque, in the byte order its screen takes as it is.
using CanvasPixel = std::uint32_t;

enum class ByteOrder {
    Bgra,  // blue, green, red, alpha: 0xFFRRGGBB words, as Qt's RGB32 images and DIBs hold them
    Rgba,  // red, green, blue, alpha: as a web canvas's ImageData holds them
};

// The window services' colours have red in the low byte, which is where
// little-endian RGBA keeps it too.
[[nodiscard]] constexpr CanvasPixel canvasPixel(Colour colour, ByteOrder order) {
    const Colour rgb = colour & 0xFFFFFFU;
    if (order == ByteOrder::Rgba) {
        return 0xFF000000U | rgb;
    }
    return 0xFF000000U | ((rgb & 0xFFU) << 16U) | (rgb & 0xFF00U) | (rgb >> 16U);
}

[[nodiscard]] constexpr Colour colourOf(CanvasPixel pixel, ByteOrder order) {
    if (order == ByteOrder::Rgba) {
        return pixel & 0xFFFFFFU;
    }
    return ((pixel >> 16U) & 0xFFU) | (pixel & 0xFF00U) | ((pixel & 0xFFU) << 16U);
}

// What a toolkit's surface does when the picture has changed. Neither may
// fail: a screen that could not show the picture says so at its next turn of
// the event loop.
class CanvasScreen {
  public:
    virtual ~CanvasScreen() = default;
    virtual void showLater() noexcept = 0;  // repaint when the event loop next can
    virtual void showNow() noexcept = 0;    // repaint before returning

  protected:
    CanvasScreen() = default;
    CanvasScreen(const CanvasScreen&) = default;
    CanvasScreen& operator=(const CanvasScreen&) = default;
    CanvasScreen(CanvasScreen&&) = default;
    CanvasScreen& operator=(CanvasScreen&&) = default;
};

class PlotCanvas {
  public:
    // The designed interior at `ratio` device pixels a pixel, in the byte
    // order of the screen.
    explicit PlotCanvas(CanvasScreen& screen, ByteOrder order = ByteOrder::Bgra,
                        double ratio = 1.0);

    // The interior is `width` x `height` pixels of the layout, at `ratio`
    // device pixels a pixel. A change draws the picture again.
    void fit(int width, int height, double ratio);
    // The designed interior at `ratio`.
    void fit(double ratio);

    // The drawing operations of the window services, in twips. What the
    // surface refuses (a draw mode or width it has not, a coordinate beyond
    // its reach) is Refused and not drawn.
    Outcome clear() noexcept;
    [[nodiscard]] float scaleWidth() const noexcept;
    [[nodiscard]] float scaleHeight() const noexcept;
    Outcome setDrawMode(int mode) noexcept;
    Outcome setDrawWidth(int pixels) noexcept;
    // A sweep draws the same segment over and over: a repeat is done here,
    // without the operation ever being made.
    Outcome drawLine(float x1, float y1, float x2, float y2, Colour colour) noexcept {
        return record_.repeats(DrawingOperation::Kind::Line, x1, y1, x2, y2, colour)
                   ? Outcome::Done
                   : drawNewLine(x1, y1, x2, y2, colour);
    }
    Outcome fillBox(float x1, float y1, float x2, float y2, Colour colour) noexcept;

    // While held, drawing reaches the screen only through showDrawing(): a
    // sweep draws thousands of segments and must not pay for a repaint with
    // each of them.
    void hold() noexcept { held_ = true; }
    void release() noexcept;
    // Shows the picture now if anything was drawn since the screen last showed it.
    void showDrawing() noexcept;

    // Holds a canvas's drawing back from the screen for one scope.
    class Held {
      public:
        explicit Held(PlotCanvas& canvas) : canvas_(canvas) { canvas_.hold(); }
        Held(const Held&) = delete;
        Held& operator=(const Held&) = delete;
        Held(Held&&) = delete;
        Held& operator=(Held&&) = delete;
        ~Held() { canvas_.release(); }

      private:
        PlotCanvas& canvas_;
    };

    // Turned off, every operation is drawn, repeats too: the picture is the
    // same either way, only slower to make.
    void skipRepeats(bool skip) { record_.skipRepeats(skip); }

    // The picture, row by row from the top, one value per device pixel.
    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    [[nodiscard]] double ratio() const { return ratio_; }
    [[nodiscard]] std::span<const CanvasPixel> pixels() const { return pixels_; }
    [[nodiscard]] ByteOrder byteOrder() const { return order_; }
    [[nodiscard]] Colour colourAt(int x, int y) const {
        return colourOf(pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                static_cast<std::size_t>(x)],
                        order_);
    }

  private:
    struct Point {
        int x;
        int y;
    };
    // The emblem at one ratio, in the picture's pixels.
    struct Emblem {
        double ratio = 0;
        int width = 0;
        int height = 0;
        std::vector<CanvasPixel> pixels;
    };
    // Emblems are kept for this many ratios: a page being resized passes
    // through many, a monitor change goes back and forth between two.
    static constexpr std::size_t kEmblemsKept = 4;

    // Records, applies and draws one operation of the engine's.
    [[nodiscard]] Outcome perform(const DrawingOperation& operation) noexcept;
    // A line that is not the last one again. Out of line, so that the check
    // for a repeat, made for every pass of a sweep, needs no stack frame.
    [[nodiscard]] Outcome drawNewLine(float x1, float y1, float x2, float y2,
                                      Colour colour) noexcept;
    void drawn() noexcept;
    void redraw();
    void stretchTo(int width, int height);
    void paintBackground() noexcept;
    // False when the surface refuses the operation's coordinates.
    [[nodiscard]] bool paint(const DrawingOperation& operation) noexcept;
    void useEmblem(double ratio);
    void paintLine(Point from, Point to, CanvasPixel pen) noexcept;
    void paintBox(Point from, Point to, CanvasPixel pen) noexcept;
    void fillRect(int left, int top, int right, int bottom, CanvasPixel pen) noexcept;
    void fillRun(int u, long long vFirst, long long vLast, bool alongX, CanvasPixel pen) noexcept;

    CanvasScreen& screen_;
    ByteOrder order_;
    int designWidth_ = 0;  // pixels of the layout
    int designHeight_ = 0;
    double ratio_ = 0;
    int width_ = 0;  // device pixels
    int height_ = 0;
    std::vector<CanvasPixel> pixels_;
    std::vector<Emblem> emblems_;  // the one in use first
    bool held_ = false;
    bool unshown_ = false;
    int drawMode_ = kDrawModeCopyPen;
    int drawWidth_ = 1;
    int penThickness_ = 1;  // device pixels
    DrawingRecord record_{kDrawModeCopyPen, 1};
};

}  // namespace aurisplot
