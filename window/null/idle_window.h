#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "engine/window_services.h"
#include "window/null/design_defaults.h"

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

    [[nodiscard]] Outcome clear() noexcept override { return Outcome::Done; }
    [[nodiscard]] Answer<float> scaleWidth() noexcept override { return {kInteriorWidth}; }
    [[nodiscard]] Answer<float> scaleHeight() noexcept override { return {kInteriorHeight}; }
    [[nodiscard]] Outcome setDrawMode(int /*mode*/) noexcept override { return Outcome::Done; }
    [[nodiscard]] Outcome setDrawWidth(int /*pixels*/) noexcept override { return Outcome::Done; }
    [[nodiscard]] Outcome drawLine(float /*x1*/, float /*y1*/, float /*x2*/, float /*y2*/,
                                   Colour /*c*/) noexcept override {
        return Outcome::Done;
    }
    [[nodiscard]] Outcome fillBox(float /*x1*/, float /*y1*/, float /*x2*/, float /*y2*/,
                                  Colour /*c*/) noexcept override {
        return Outcome::Done;
    }
    [[nodiscard]] Answer<std::string_view> title() noexcept override { return {title_}; }
    [[nodiscard]] Outcome setTitle(const std::string& title) noexcept override {
        title_ = title;
        return Outcome::Done;
    }
    [[nodiscard]] Answer<std::string> text(TextField field) noexcept override {
        return {texts_.at(index(field))};
    }
    [[nodiscard]] Outcome setText(TextField field, const std::string& text) noexcept override {
        texts_.at(index(field)) = text;
        return Outcome::Done;
    }
    [[nodiscard]] Answer<std::string> comboText() noexcept override { return {resolution_}; }
    [[nodiscard]] Outcome addComboItem(const std::string& /*item*/) noexcept override {
        return Outcome::Done;
    }
    [[nodiscard]] Outcome setComboIndex(int /*index*/) noexcept override { return Outcome::Done; }
    [[nodiscard]] Answer<int> checkState() noexcept override { return {0}; }
    [[nodiscard]] Outcome setCommand1Enabled(bool /*enabled*/) noexcept override {
        return Outcome::Done;
    }
    [[nodiscard]] Outcome pumpEvents() noexcept override { return Outcome::Done; }
    void endProgram() noexcept override {}

  private:
    static std::size_t index(TextField field) { return static_cast<std::size_t>(field); }

    std::array<std::string, 4> texts_;
    std::string resolution_;
    std::string title_;
};

}  // namespace aurisplot
