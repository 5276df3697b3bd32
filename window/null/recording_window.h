#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/graph_engine.h"
#include "engine/window_services.h"
#include "window/form_layout.h"
#include "window/null/design_defaults.h"

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
        float width = kInteriorWidth;
        float height = kInteriorHeight;
    };
    State state;

    // Makes call number nth (counted from 1) of operation refuse, or end the
    // command there as the end of the program does.
    void failOn(std::string_view operation, int nth);
    void endOn(std::string_view operation, int nth);
    // Makes event pump number nth answer that the window takes its events
    // only once the command has let go of it.
    void laterOn(int nth);
    [[nodiscard]] const std::vector<std::string>& log() const { return log_; }
    // The logged lines of one operation, in order.
    [[nodiscard]] std::vector<std::string> linesOf(std::string_view operation) const;
    [[nodiscard]] int callCount(std::string_view operation) const;
    [[nodiscard]] std::string& field(TextField which);

    [[nodiscard]] Outcome clear() noexcept override;
    [[nodiscard]] Answer<float> scaleWidth() noexcept override;
    [[nodiscard]] Answer<float> scaleHeight() noexcept override;
    [[nodiscard]] Outcome setDrawMode(int mode) noexcept override;
    [[nodiscard]] Outcome setDrawWidth(int pixels) noexcept override;
    [[nodiscard]] Outcome drawLine(float x1, float y1, float x2, float y2,
                                   Colour colour) noexcept override;
    [[nodiscard]] Outcome fillBox(float x1, float y1, float x2, float y2,
                                  Colour colour) noexcept override;
    [[nodiscard]] Answer<std::string_view> title() noexcept override;
    [[nodiscard]] Outcome setTitle(const std::string& title) noexcept override;
    [[nodiscard]] Answer<std::string> text(TextField which) noexcept override;
    [[nodiscard]] Outcome setText(TextField which, const std::string& text) noexcept override;
    [[nodiscard]] Answer<std::string> comboText() noexcept override;
    [[nodiscard]] Outcome addComboItem(const std::string& item) noexcept override;
    [[nodiscard]] Outcome setComboIndex(int index) noexcept override;
    [[nodiscard]] Answer<int> checkState() noexcept override;
    [[nodiscard]] Outcome setCommand1Enabled(bool enabled) noexcept override;
    [[nodiscard]] Outcome pumpEvents() noexcept override;
    void endProgram() noexcept override;

  private:
    // Logs the call, and says how it went as it was told to.
    [[nodiscard]] Outcome record(std::string_view operation, const std::string& arguments = {});
    template <typename Value>
    [[nodiscard]] Answer<Value> answer(Outcome outcome, Value value) {
        return outcome == Outcome::Done ? Answer<Value>{std::move(value), outcome}
                                        : Answer<Value>{{}, outcome};
    }

    std::vector<std::string> log_;
    std::map<std::string, int, std::less<>> calls_;
    std::map<std::pair<std::string, int>, Outcome, std::less<>> outcomes_;
};
// Surface coordinates and texts as they appear in the log.
[[nodiscard]] std::string logged(float value);
[[nodiscard]] std::string quoted(std::string_view text);
[[nodiscard]] std::string fieldName(TextField which);

}  // namespace aurisplot::testing
