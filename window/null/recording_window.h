#pragma once

#include <array>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/graph_engine.h"
#include "window/form_layout.h"
#include "window/null/design_defaults.h"
#include "window/window_services.h"

namespace aurisplot::testing {

// A stand-in for the main window: keeps the state a real window would and logs
// every call as one line ("setText Text1 \"600\"", "title -> \"...\"").
// It can be told to fail the Nth call of a named operation.
class RecordingWindow : public WindowServices {
  public:
    // The window as it stands after start-up, with its design-time defaults.
    struct State {
        std::string title{kTitle};
        std::array<std::string, 4> texts = designTexts();
        std::vector<std::string> comboItems = resolutionTexts();
        int comboIndex = 0;
        int checkState = 0;
        bool command1Enabled = true;
        // The interior of the designed surface, inside its border.
        float width = designInterior(layout::control("Picture1").place.width);
        float height = designInterior(layout::control("Picture1").place.height);
    };
    State state;

    // Makes call number nth (counted from 1) of operation throw WindowServiceError.
    void failOn(std::string_view operation, int nth);
    [[nodiscard]] const std::vector<std::string>& log() const { return log_; }
    // The logged lines of one operation, in order.
    [[nodiscard]] std::vector<std::string> linesOf(std::string_view operation) const;
    [[nodiscard]] int callCount(std::string_view operation) const;
    [[nodiscard]] std::string& field(TextField which);

    void clear() override;
    [[nodiscard]] float scaleWidth() override;
    [[nodiscard]] float scaleHeight() override;
    void setDrawMode(int mode) override;
    void setDrawWidth(int pixels) override;
    void drawLine(float x1, float y1, float x2, float y2, Colour colour) override;
    void fillBox(float x1, float y1, float x2, float y2, Colour colour) override;
    [[nodiscard]] std::string_view title() override;
    void setTitle(const std::string& title) override;
    [[nodiscard]] std::string text(TextField which) override;
    void setText(TextField which, const std::string& text) override;
    [[nodiscard]] std::string comboText() override;
    void addComboItem(const std::string& item) override;
    void setComboIndex(int index) override;
    [[nodiscard]] int checkState() override;
    void setCommand1Enabled(bool enabled) override;
    void pumpEvents() override;
    void endProgram() override;

  private:
    // Logs the call and throws if it was told to fail.
    void record(std::string_view operation, const std::string& arguments = {});

    std::vector<std::string> log_;
    std::map<std::string, int, std::less<>> calls_;
    std::set<std::pair<std::string, int>, std::less<>> failures_;
};

// Surface coordinates and texts as they appear in the log.
[[nodiscard]] std::string logged(float value);
[[nodiscard]] std::string quoted(std::string_view text);
[[nodiscard]] std::string fieldName(TextField which);

}  // namespace aurisplot::testing
