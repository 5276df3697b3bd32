#pragma once

// What every toolkit's Form1 does the same way: its load handler, and the
// window services it answers alike: the plot surface's operations, handed on
// to its surface (Picture1); the title, which its pacing (pacing_) keeps until
// the screen shows it; and the event pump, paced, which leaves the running
// command once the program is ending (ending_). Form is the toolkit's Form1,
// which makes this class its friend.

#include <string>
#include <string_view>

#include "window/command_boundary.h"
#include "window/window_services.h"

namespace aurisplot {

template <typename Form>
class FormServices : public WindowServices {
  public:
    // Form1's load handler: fills the resolution list and selects its first
    // entry, before the window is first shown.
    void Form_Load() {
        addComboItem("1 m");
        addComboItem("1 cm");
        addComboItem("1 mm");
        setComboIndex(0);
    }

    // Plot surface.
    void clear() override { surface().clear(); }
    [[nodiscard]] float scaleWidth() override { return surface().scaleWidth(); }
    [[nodiscard]] float scaleHeight() override { return surface().scaleHeight(); }
    void setDrawMode(int mode) override { surface().setDrawMode(mode); }
    void setDrawWidth(int pixels) override { surface().setDrawWidth(pixels); }
    void drawLine(float x1, float y1, float x2, float y2, Colour colour) override {
        surface().drawLine(x1, y1, x2, y2, colour);
    }
    void fillBox(float x1, float y1, float x2, float y2, Colour colour) override {
        surface().fillBox(x1, y1, x2, y2, colour);
    }

    // Form1's title.
    [[nodiscard]] std::string_view title() override { return form().pacing_.title(); }
    void setTitle(const std::string& title) override { form().pacing_.setTitle(title); }

    // Process control: the window ends the program its own way.
    void pumpEvents() override {
        form().pacing_.pump();
        if (form().ending_) {
            throw ProgramEnded{};
        }
    }

  protected:
    // From here on nothing more is shown, and the next pump leaves the command.
    void beginEnding() {
        form().ending_ = true;
        form().pacing_.stopShowing();
    }

  private:
    [[nodiscard]] Form& form() { return static_cast<Form&>(*this); }
    [[nodiscard]] auto& surface() { return *form().Picture1; }
};

}  // namespace aurisplot
