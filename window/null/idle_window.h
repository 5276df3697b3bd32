#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "window/null/design_defaults.h"
#include "window/window_services.h"

namespace aurisplot {

// A window that does nothing but keep its texts: what a sweep against it costs,
// in time or in memory, is the engine's own. The allocation test and the
// engine benchmark both run the Graph command against it.
class IdleWindow final : public WindowServices {
  public:
    IdleWindow(std::string distanceFull, std::string resolution)
        : texts_(designTexts()), resolution_(std::move(resolution)) {
        texts_[index(TextField::Text4)] = std::move(distanceFull);
    }

    void clear() override {}
    [[nodiscard]] float scaleWidth() override {
        return designInterior(layout::control("Picture1").place.width);
    }
    [[nodiscard]] float scaleHeight() override {
        return designInterior(layout::control("Picture1").place.height);
    }
    void setDrawMode(int /*mode*/) override {}
    void setDrawWidth(int /*pixels*/) override {}
    void drawLine(float /*x1*/, float /*y1*/, float /*x2*/, float /*y2*/, Colour /*c*/) override {}
    void fillBox(float /*x1*/, float /*y1*/, float /*x2*/, float /*y2*/, Colour /*c*/) override {}
    [[nodiscard]] std::string_view title() override { return title_; }
    void setTitle(const std::string& title) override { title_ = title; }
    [[nodiscard]] std::string text(TextField field) override { return texts_.at(index(field)); }
    void setText(TextField field, const std::string& text) override {
        texts_.at(index(field)) = text;
    }
    [[nodiscard]] std::string comboText() override { return resolution_; }
    void addComboItem(const std::string& /*item*/) override {}
    void setComboIndex(int /*index*/) override {}
    [[nodiscard]] int checkState() override { return 0; }
    void setCommand1Enabled(bool /*enabled*/) override {}
    void pumpEvents() override {}
    void endProgram() override {}

  private:
    static std::size_t index(TextField field) { return static_cast<std::size_t>(field); }

    std::array<std::string, 4> texts_;
    std::string resolution_;
    std::string title_;
};

}  // namespace aurisplot
