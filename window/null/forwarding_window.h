#pragma once

#include <string>
#include <string_view>

#include "window/window_services.h"

namespace aurisplot {

// Hands every operation on to another window, so that a variant can change one.
class ForwardingWindow : public WindowServices {
  public:
    explicit ForwardingWindow(WindowServices& inner) : inner_(inner) {}

    void clear() override { inner_.clear(); }
    [[nodiscard]] float scaleWidth() override { return inner_.scaleWidth(); }
    [[nodiscard]] float scaleHeight() override { return inner_.scaleHeight(); }
    void setDrawMode(int mode) override { inner_.setDrawMode(mode); }
    void setDrawWidth(int pixels) override { inner_.setDrawWidth(pixels); }
    void drawLine(float x1, float y1, float x2, float y2, Colour colour) override {
        inner_.drawLine(x1, y1, x2, y2, colour);
    }
    void fillBox(float x1, float y1, float x2, float y2, Colour colour) override {
        inner_.fillBox(x1, y1, x2, y2, colour);
    }
    [[nodiscard]] std::string_view title() override { return inner_.title(); }
    void setTitle(const std::string& title) override { inner_.setTitle(title); }
    [[nodiscard]] std::string text(TextField field) override { return inner_.text(field); }
    void setText(TextField field, const std::string& text) override { inner_.setText(field, text); }
    [[nodiscard]] std::string comboText() override { return inner_.comboText(); }
    void addComboItem(const std::string& item) override { inner_.addComboItem(item); }
    void setComboIndex(int index) override { inner_.setComboIndex(index); }
    [[nodiscard]] int checkState() override { return inner_.checkState(); }
    void setCommand1Enabled(bool enabled) override { inner_.setCommand1Enabled(enabled); }
    void pumpEvents() override { inner_.pumpEvents(); }
    void endProgram() override { inner_.endProgram(); }

  private:
    WindowServices& inner_;
};

}  // namespace aurisplot
