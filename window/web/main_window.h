#pragma once

// Form1, the program's only window, on a web page: its controls made from the
// form's design as the page's own elements (page.js builds them), the plot
// surface a <canvas> that shows the canvas's picture. What the window does is
// the form core's.
//
// The page's handlers only queue what the user did; the page turns the
// program's event loop in a task of its own, which takes the queue's events
// and goes on with a command that waits for the turn. A command stops at each
// event pump at which its pacing turns the loop, and the browser paints and
// takes input before the next turn. So nothing runs inside a running command
// that the command did not ask for, as on the desktop.

#include <memory>
#include <string>
#include <string_view>

#include "window/form_core.h"
#include "window/plot_canvas.h"

namespace aurisplot::web {

// Picture1: shows the canvas's picture on the page's <canvas>, at the page's
// device pixels.
class PlotSurface final : private CanvasScreen {
  public:
    PlotSurface();
    [[nodiscard]] PlotCanvas& canvas() { return canvas_; }

  private:
    void showLater() noexcept override;
    void showNow() noexcept override;

    PlotCanvas canvas_;
};

// The program has stopped, for the reason given: the page says so in place of
// the window.
void stopped(std::string_view what);

class Form1;

// Hands the window to the page, which turns its event loop from now on
// (aurisplot_turn) and owns it until the program ends.
void run(std::unique_ptr<Form1> form);

class Form1 : public FormToolkit {
  public:
    // Builds the window on the page, at the page's present scale.
    Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    Form1(Form1&&) = delete;
    Form1& operator=(Form1&&) = delete;
    ~Form1() override = default;

    [[nodiscard]] FormCore& core() { return core_; }
    [[nodiscard]] FormToolkit& toolkit() { return *this; }

    // Shows the window with the focus on the plot surface.
    void show();
    // One turn of the page's event loop: every event the page has queued,
    // then the command that waited for the turn. Says what the loop waits
    // for next.
    enum class Turn { Ended = 0, UserWaits = 1, CommandWaits = 2 };  // as page.js reads them
    Turn turn();
    // Handles every event the page has queued, without waiting.
    void handlePending();

    // The form core's primitives.
    [[nodiscard]] std::string text(std::string_view name) override;
    void setText(std::string_view name, std::string_view text) override;
    void addItem(std::string_view name, std::string_view item) override;
    [[nodiscard]] int itemCount(std::string_view name) override;
    void select(std::string_view name, int index) override;
    [[nodiscard]] int checkState(std::string_view name) override;
    [[nodiscard]] bool enabled(std::string_view name) override;
    void enable(std::string_view name, bool enabled) override;
    [[nodiscard]] std::string focused() override;
    void focus(std::string_view name) override;
    void showTitle(std::string_view title) override;
    [[nodiscard]] bool turnEventLoop() override;
    void closeWindow() override;
    void describeChart(std::string_view description) override;
    void reportFailure(std::string_view what) override;

  private:
    void handle(std::string_view event);

    PlotSurface picture1_;  // Picture1
    FormCore core_;
};

}  // namespace aurisplot::web
