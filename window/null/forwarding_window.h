#pragma once

#include <string>
#include <string_view>

#include "engine/window_services.h"

namespace aurisplot {

// Hands every operation on to another window, so that a variant can change one.
class ForwardingWindow : public WindowServices {
  public:
    explicit ForwardingWindow(WindowServices& inner) : inner_(inner) {}

    [[nodiscard]] Outcome clear() noexcept override { return inner_.clear(); }
    [[nodiscard]] Answer<float> scaleWidth() noexcept override { return inner_.scaleWidth(); }
    [[nodiscard]] Answer<float> scaleHeight() noexcept override { return inner_.scaleHeight(); }
    [[nodiscard]] Outcome setDrawMode(int mode) noexcept override {
        return inner_.setDrawMode(mode);
    }
    [[nodiscard]] Outcome setDrawWidth(int pixels) noexcept override {
        return inner_.setDrawWidth(pixels);
    }
    [[nodiscard]] Outcome drawLine(float x1, float y1, float x2, float y2,
                                   Colour colour) noexcept override {
        return inner_.drawLine(x1, y1, x2, y2, colour);
    }
    [[nodiscard]] Outcome fillBox(float x1, float y1, float x2, float y2,
                                  Colour colour) noexcept override {
        return inner_.fillBox(x1, y1, x2, y2, colour);
    }
    [[nodiscard]] Answer<std::string_view> title() noexcept override { return inner_.title(); }
    [[nodiscard]] Outcome setTitle(const std::string& title) noexcept override {
        return inner_.setTitle(title);
    }
    [[nodiscard]] Answer<std::string> text(TextField field) noexcept override {
        return inner_.text(field);
    }
    [[nodiscard]] Outcome setText(TextField field, const std::string& text) noexcept override {
        return inner_.setText(field, text);
    }
    [[nodiscard]] Answer<std::string> comboText() noexcept override { return inner_.comboText(); }
    [[nodiscard]] Outcome addComboItem(const std::string& item) noexcept override {
        return inner_.addComboItem(item);
    }
    [[nodiscard]] Outcome setComboIndex(int index) noexcept override {
        return inner_.setComboIndex(index);
    }
    [[nodiscard]] Answer<int> checkState() noexcept override { return inner_.checkState(); }
    [[nodiscard]] Outcome setCommand1Enabled(bool enabled) noexcept override {
        return inner_.setCommand1Enabled(enabled);
    }
    [[nodiscard]] Outcome pumpEvents() noexcept override { return inner_.pumpEvents(); }
    void endProgram() noexcept override { inner_.endProgram(); }

  private:
    WindowServices& inner_;
};

}  // namespace aurisplot
