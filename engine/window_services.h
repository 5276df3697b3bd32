#pragma once

// The engine's port: everything the Graph command asks of a window, in the
// engine's own terms. Each toolkit's window answers it through the form core.

#include <cstdint>
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

// How a window operation went.
enum class Outcome : std::uint8_t {
    Done,
    // The window refused it (a value the control refuses, a surface that
    // cannot draw it): the Graph command abandons the statement that made the
    // call and goes on with the next one.
    Refused,
    // The command ends here: an event has ended the program, or the window
    // failed beyond refusing (its failure is reported by the command's
    // boundary). Nothing more of the command runs.
    Ended,
    // Only an event pump answers it: the window takes its events only once
    // the command has let go of it (a page, whose browser runs nothing while
    // the program runs). The command stops at the pump, and the window resumes
    // it after its turn.
    Later,
};

// An operation's answer, and how it went; the value means something only
// when it was Done.
template <typename Value>
struct Answer {
    Value value{};
    Outcome outcome = Outcome::Done;
};

// Everything the exposure engine asks of the main window, its controls and the
// plot surface. No operation throws: each says how it went. Texts are UTF-8;
// surface coordinates are in the surface's own scale units, origin at the
// top-left corner of its interior, x to the right, y downward.
class WindowServices {
  public:
    virtual ~WindowServices() = default;

    // Plot surface (Picture1).
    [[nodiscard]] virtual Outcome
    clear() noexcept = 0;  // back to the background colour and picture
    [[nodiscard]] virtual Answer<float> scaleWidth() noexcept = 0;
    [[nodiscard]] virtual Answer<float> scaleHeight() noexcept = 0;
    // kDrawModeCopyPen or kDrawModeMaskPen
    [[nodiscard]] virtual Outcome setDrawMode(int mode) noexcept = 0;
    [[nodiscard]] virtual Outcome setDrawWidth(int pixels) noexcept = 0;
    [[nodiscard]] virtual Outcome drawLine(float x1, float y1, float x2, float y2,
                                           Colour colour) noexcept = 0;
    [[nodiscard]] virtual Outcome fillBox(float x1, float y1, float x2, float y2,
                                          Colour colour) noexcept = 0;

    // Window and controls.
    // Form1. The view stays valid until the next setTitle(): the sweep reads
    // the title on every pass and must not pay for a copy of it each time.
    [[nodiscard]] virtual Answer<std::string_view> title() noexcept = 0;
    [[nodiscard]] virtual Outcome setTitle(const std::string& title) noexcept = 0;
    [[nodiscard]] virtual Answer<std::string> text(TextField field) noexcept = 0;  // Text1 to Text4
    [[nodiscard]] virtual Outcome setText(TextField field, const std::string& text) noexcept = 0;
    [[nodiscard]] virtual Answer<std::string> comboText() noexcept = 0;  // Combo1
    [[nodiscard]] virtual Outcome addComboItem(const std::string& item) noexcept = 0;
    [[nodiscard]] virtual Outcome setComboIndex(int index) noexcept = 0;
    // Check1: 0 unchecked, 1 checked, 2 greyed
    [[nodiscard]] virtual Answer<int> checkState() noexcept = 0;
    [[nodiscard]] virtual Outcome setCommand1Enabled(bool enabled) noexcept = 0;

    // Process control.
    // Handles every pending window event and returns: Ended when one of them
    // has ended the program, and nothing of the command that called it may
    // run any more; Later when the window handles them only after the command
    // has stopped here, and is asked again once it is resumed.
    [[nodiscard]] virtual Outcome pumpEvents() noexcept = 0;
    // Ends the program at once: no further handler runs and every window closes.
    virtual void endProgram() noexcept = 0;

  protected:
    // Copies only between implementations of the same kind, never through the interface.
    WindowServices() = default;
    WindowServices(const WindowServices&) = default;
    WindowServices& operator=(const WindowServices&) = default;
    WindowServices(WindowServices&&) = default;
    WindowServices& operator=(WindowServices&&) = default;
};

}  // namespace aurisplot
