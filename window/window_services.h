#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace aurisplot {

// A 24-bit RGB colour with red in the low byte, green in the next and blue in
// the third: red is 255, black is 0, blue is 0xFF0000.
using Colour = std::uint32_t;

[[nodiscard]] constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Colour{red} | (Colour{green} << 8U) | (Colour{blue} << 16U);
}

// Raster operations of the plot surface, numbered as the drawing modes are.
inline constexpr int kDrawModeCopyPen = 13;  // pixel := pen
inline constexpr int kDrawModeMaskPen = 9;   // pixel := pen AND pixel, bitwise on RGB

// The four input fields of the main window.
enum class TextField { Text1, Text2, Text3, Text4 };

// A list takes index -1 (no entry selected) or the index of one of its
// `count` entries; it refuses any other.
[[nodiscard]] constexpr bool listIndexValid(int index, int count) {
    return index >= -1 && index < count;
}

// How a window operation reports that it failed (a value the control refuses,
// a surface that cannot be drawn on). The Graph command abandons the statement
// that made the call and goes on with the next one; nothing else is caught.
class WindowServiceError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Everything the exposure engine asks of the main window, its controls and the
// plot surface. Any operation may fail by throwing WindowServiceError. Texts
// are UTF-8; surface coordinates are in the surface's own scale units, origin
// at the top-left corner of its interior, x to the right, y downward.
class WindowServices {
  public:
    virtual ~WindowServices() = default;

    // Plot surface (Picture1).
    virtual void clear() = 0;  // back to the background colour and picture
    [[nodiscard]] virtual float scaleWidth() = 0;
    [[nodiscard]] virtual float scaleHeight() = 0;
    virtual void setDrawMode(int mode) = 0;  // kDrawModeCopyPen or kDrawModeMaskPen
    virtual void setDrawWidth(int pixels) = 0;
    virtual void drawLine(float x1, float y1, float x2, float y2, Colour colour) = 0;
    virtual void fillBox(float x1, float y1, float x2, float y2, Colour colour) = 0;

    // Window and controls.
    // Form1. The view stays valid until the next setTitle(): the sweep reads
    // the title on every pass and must not pay for a copy of it each time.
    [[nodiscard]] virtual std::string_view title() = 0;
    virtual void setTitle(const std::string& title) = 0;
    [[nodiscard]] virtual std::string text(TextField field) = 0;  // Text1 to Text4
    virtual void setText(TextField field, const std::string& text) = 0;
    [[nodiscard]] virtual std::string comboText() = 0;  // Combo1
    virtual void addComboItem(const std::string& item) = 0;
    virtual void setComboIndex(int index) = 0;
    [[nodiscard]] virtual int checkState() = 0;  // Check1: 0 unchecked, 1 checked, 2 greyed
    virtual void setCommand1Enabled(bool enabled) = 0;

    // Process control.
    // Handles every pending window event and returns. When one of those events
    // ends the program, the call does not return normally: it leaves by an
    // exception that is not a WindowServiceError, so nothing of the command
    // that called it runs any more.
    virtual void pumpEvents() = 0;
    // Ends the program at once: no further handler runs and every window closes.
    virtual void endProgram() = 0;

  protected:
    // Copies only between implementations of the same kind, never through the interface.
    WindowServices() = default;
    WindowServices(const WindowServices&) = default;
    WindowServices& operator=(const WindowServices&) = default;
    WindowServices(WindowServices&&) = default;
    WindowServices& operator=(WindowServices&&) = default;
};

}  // namespace aurisplot
