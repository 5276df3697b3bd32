#pragma once

// Form1 with no toolkit at all: the form core over controls that are only
// values in memory, and a canvas that nothing shows. It draws exactly what a
// real window draws, so tests hold every window's pixels against it.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "window/form_core.h"
#include "window/form_layout.h"
#include "window/plot_canvas.h"

namespace aurisplot {

// A test may make a primitive fail by overriding it.
class NullForm : public FormToolkit, private CanvasScreen {
  public:
    // The designed window at `ratio` device pixels a pixel.
    explicit NullForm(double ratio = 1.0);
    NullForm(const NullForm&) = delete;
    NullForm& operator=(const NullForm&) = delete;
    NullForm(NullForm&&) = delete;
    NullForm& operator=(NullForm&&) = delete;
    ~NullForm() override = default;

    [[nodiscard]] FormCore& core() { return core_; }
    [[nodiscard]] PlotCanvas& canvas() { return canvas_; }
    [[nodiscard]] const std::string& shownTitle() const { return title_; }
    [[nodiscard]] const std::string& chartDescription() const { return description_; }
    [[nodiscard]] bool closed() const { return closed_; }
    [[nodiscard]] const std::vector<std::string>& failures() const { return failures_; }
    // As the user ticks Check1: 0 unchecked, 1 checked, 2 greyed.
    void setCheckState(int state) { checkState_ = state; }

    [[nodiscard]] std::string text(std::string_view control) override;
    void setText(std::string_view control, std::string_view text) override;
    void addItem(std::string_view control, std::string_view item) override;
    [[nodiscard]] int itemCount(std::string_view control) override;
    void select(std::string_view control, int index) override;
    [[nodiscard]] int checkState(std::string_view control) override;
    [[nodiscard]] bool enabled(std::string_view control) override;
    void enable(std::string_view control, bool enabled) override;
    [[nodiscard]] std::string focused() override { return focus_; }
    void focus(std::string_view control) override { focus_ = layout::control(control).name; }
    void showTitle(std::string_view title) override { title_ = title; }
    [[nodiscard]] bool turnEventLoop() override { return true; }
    void closeWindow() override { closed_ = true; }
    void describeChart(std::string_view description) override { description_ = description; }
    void reportFailure(std::string_view what) override { failures_.emplace_back(what); }

  private:
    void showLater() noexcept override {}
    void showNow() noexcept override {}

    std::map<std::string, std::string, std::less<>> texts_;
    std::map<std::string, bool, std::less<>> enabled_;
    std::vector<std::string> items_;
    int selected_ = -1;
    int checkState_ = 0;
    std::string focus_ = "Picture1";
    std::string title_;
    std::string description_;
    std::vector<std::string> failures_;
    bool closed_ = false;
    PlotCanvas canvas_{*this};
    FormCore core_{*this, canvas_};
};

}  // namespace aurisplot
