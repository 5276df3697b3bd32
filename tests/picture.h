#pragma once

// Pictures read back from a window or a canvas, and the window services as a
// case calls them when it expects them to do as asked: for the cases of the
// form with no toolkit and of every window alike.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "engine/window_services.h"
#include "window/plot_canvas.h"

namespace aurisplot::testing {

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    [[nodiscard]] bool contains(int x, int y) const {
        return x >= left && x < left + width && y >= top && y < top + height;
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

void PrintTo(const PixelRect& rect, std::ostream* os);

// Pixels read back from a window, in the window services' colours.
class Picture {
  public:
    static constexpr Colour kNoColour = 0xFFFFFFFFU;

    Picture() = default;
    Picture(int width, int height) : width_(width), height_(height), pixels_(area(width, height)) {}

    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    // Outside the picture, a value that is no colour at all.
    [[nodiscard]] Colour at(int x, int y) const {
        return contains(x, y) ? pixels_[index(x, y)] : kNoColour;
    }
    [[nodiscard]] bool contains(int x, int y) const {
        return x >= 0 && x < width_ && y >= 0 && y < height_;
    }
    void set(int x, int y, Colour colour) { pixels_[index(x, y)] = colour; }
    [[nodiscard]] Picture crop(PixelRect rect) const;
    friend bool operator==(const Picture&, const Picture&) = default;

  private:
    static std::size_t area(int width, int height) {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
    [[nodiscard]] std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Colour> pixels_;
};

// The components of a colour, for messages and comparisons.
[[nodiscard]] constexpr int redOf(Colour c) {
    return static_cast<int>(c & 0xFFU);
}
[[nodiscard]] constexpr int greenOf(Colour c) {
    return static_cast<int>((c >> 8U) & 0xFFU);
}
[[nodiscard]] constexpr int blueOf(Colour c) {
    return static_cast<int>((c >> 16U) & 0xFFU);
}
inline constexpr Colour kBlackPixel = rgb(0, 0, 0);
inline constexpr Colour kWhitePixel = rgb(255, 255, 255);
inline constexpr Colour kBluePixel = rgb(0, 0, 255);
inline constexpr Colour kRedPixel = rgb(255, 0, 0);
inline constexpr Colour kGreenPixel = rgb(0, 255, 0);

// A canvas's picture, in the window services' colours.
[[nodiscard]] Picture pictureOf(const PlotCanvas& canvas);

// The interior of the plot surface as it is after clear(), at that scale: the
// emblem at the top-left on white.
[[nodiscard]] Picture blankSurface(double ratio);

// The window services as a case calls them when it expects them to do as
// asked: each call is checked to be done, and gives what it answered.
class Obliging {
  public:
    explicit Obliging(WindowServices& window) : window_(window) {}

    void clear() { done(window_.clear()); }
    [[nodiscard]] float scaleWidth() { return done(window_.scaleWidth()); }
    [[nodiscard]] float scaleHeight() { return done(window_.scaleHeight()); }
    void setDrawMode(int mode) { done(window_.setDrawMode(mode)); }
    void setDrawWidth(int pixels) { done(window_.setDrawWidth(pixels)); }
    void drawLine(float x1, float y1, float x2, float y2, Colour colour) {
        done(window_.drawLine(x1, y1, x2, y2, colour));
    }
    void fillBox(float x1, float y1, float x2, float y2, Colour colour) {
        done(window_.fillBox(x1, y1, x2, y2, colour));
    }
    [[nodiscard]] std::string text(TextField field) { return done(window_.text(field)); }
    void setText(TextField field, const std::string& text) { done(window_.setText(field, text)); }
    [[nodiscard]] std::string comboText() { return done(window_.comboText()); }
    void setComboIndex(int index) { done(window_.setComboIndex(index)); }
    [[nodiscard]] int checkState() { return done(window_.checkState()); }

  private:
    static void done(Outcome outcome) { EXPECT_EQ(outcome, Outcome::Done); }
    template <typename Value>
    static Value done(const Answer<Value>& answer) {
        done(answer.outcome);
        return answer.value;
    }

    WindowServices& window_;
};

// A digest of a picture's size and colours (FNV-1a), for pictures known by
// heart.
[[nodiscard]] std::uint64_t digestOf(const Picture& picture);

}  // namespace aurisplot::testing
