#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "window/window_services.h"

namespace aurisplot {

// A window that does nothing but keep its texts: what a sweep against it costs,
// in time or in memory, is the engine's own. The allocation test and the
// engine benchmark both run the Graph command against it.
class IdleWindow final : public WindowServices {
  public:
    IdleWindow(std::string distanceFull, std::string resolution)
        : texts_{"600", "2.2", "20", std::move(distanceFull)}, resolution_(std::move(resolution)) {}

    void clear() override {}
    [[nodiscard]] float scaleWidth() override { return 6585; }
    [[nodiscard]] float scaleHeight() override { return 4785; }
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
