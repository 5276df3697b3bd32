#pragma once

// Form1 as every toolkit runs it: the window services the engine calls, the
// handlers of the form's events, the pacing of a running command and the end
// of the program. A toolkit's window makes the controls from the design and
// gives the form core the few primitives below, each addressed by the
// control's design-time name; the plot surface's drawing is the canvas's.

#include <optional>
#include <string>
#include <string_view>

#include "window/pacing.h"
#include "window/plot_canvas.h"
#include "window/window_services.h"

namespace aurisplot {

// What a toolkit's window does for the form core. A primitive that the
// control refuses throws WindowServiceError.
class FormToolkit {
  public:
    virtual ~FormToolkit() = default;

    // The text of a field, the caption of a button, label or check box, the
    // selected entry of the list.
    [[nodiscard]] virtual std::string text(std::string_view control) = 0;
    virtual void setText(std::string_view control, std::string_view text) = 0;
    // The list's entries: appended at the end, counted, selected by index
    // (-1 selects none).
    virtual void addItem(std::string_view control, std::string_view item) = 0;
    [[nodiscard]] virtual int itemCount(std::string_view control) = 0;
    [[nodiscard]] virtual std::string item(std::string_view control, int index) = 0;
    virtual void select(std::string_view control, int index) = 0;
    // 0 unchecked, 1 checked, 2 greyed.
    [[nodiscard]] virtual int checkState(std::string_view control) = 0;
    [[nodiscard]] virtual bool enabled(std::string_view control) = 0;
    virtual void enable(std::string_view control, bool enabled) = 0;
    // The control that has the keyboard focus; empty when none has.
    [[nodiscard]] virtual std::string focused() = 0;
    virtual void focus(std::string_view control) = 0;
    // The window's title as the screen shows it, now.
    virtual void showTitle(std::string_view title) = 0;
    // Handles every pending event, then returns.
    virtual void turnEventLoop() = 0;
    // Closes the window; the program ends with it.
    virtual void closeWindow() = 0;
    // What the chart shows, for screen readers, after each Graph.
    virtual void describeChart(std::string_view description) = 0;
    // A command stopped by a failure nobody foresaw: said where the user or
    // a developer can see it.
    virtual void reportFailure(std::string_view what) = 0;

  protected:
    FormToolkit() = default;
    FormToolkit(const FormToolkit&) = default;
    FormToolkit& operator=(const FormToolkit&) = default;
    FormToolkit(FormToolkit&&) = default;
    FormToolkit& operator=(FormToolkit&&) = default;
};

class FormCore final : public WindowServices, private PacedScreen {
  public:
    // The toolkit's window shows the design's title when it is made; the form
    // core calls none of its primitives before Form_Load.
    FormCore(FormToolkit& toolkit, PlotCanvas& canvas, const PacingClock& clock = steadyClock());
    FormCore(const FormCore&) = delete;
    FormCore& operator=(const FormCore&) = delete;
    FormCore(FormCore&&) = delete;
    FormCore& operator=(FormCore&&) = delete;
    ~FormCore() override = default;

    // Handlers.
    void Form_Load();       // fills the resolution list, before the window is first shown
    void Command1_Click();  // runs the Graph command
    void Command2_Click();  // ends the program at once

    // The user closed the window, or the toolkit is ending the program: the
    // running command leaves at its next event pump, and nothing more is shown.
    void closing();
    [[nodiscard]] bool ending() const { return ending_; }

    [[nodiscard]] PlotCanvas& canvas() { return canvas_; }

    // Plot surface (Picture1).
    void clear() override { canvas_.clear(); }
    [[nodiscard]] float scaleWidth() override { return canvas_.scaleWidth(); }
    [[nodiscard]] float scaleHeight() override { return canvas_.scaleHeight(); }
    void setDrawMode(int mode) override { canvas_.setDrawMode(mode); }
    void setDrawWidth(int pixels) override { canvas_.setDrawWidth(pixels); }
    void drawLine(float x1, float y1, float x2, float y2, Colour colour) override {
        canvas_.drawLine(x1, y1, x2, y2, colour);
    }
    void fillBox(float x1, float y1, float x2, float y2, Colour colour) override {
        canvas_.fillBox(x1, y1, x2, y2, colour);
    }

    // Window and controls.
    [[nodiscard]] std::string_view title() override { return pacing_.title(); }
    void setTitle(const std::string& title) override { pacing_.setTitle(title); }
    [[nodiscard]] std::string text(TextField field) override;
    void setText(TextField field, const std::string& text) override;
    [[nodiscard]] std::string comboText() override;
    void addComboItem(const std::string& item) override;
    void setComboIndex(int index) override;
    [[nodiscard]] int checkState() override;
    void setCommand1Enabled(bool enabled) override;

    // Process control.
    void pumpEvents() override;
    void endProgram() override;

  private:
    void showDrawing() override { canvas_.showDrawing(); }
    void showTitle(std::string_view title) override { toolkit_.showTitle(title); }
    void turnEventLoop() override { toolkit_.turnEventLoop(); }

    FormToolkit& toolkit_;
    PlotCanvas& canvas_;
    Pacing pacing_;
    bool ending_ = false;
    // Where the focus went when disabling Command1 took it away: nowhere on
    // some toolkits, the next control on others.
    std::optional<std::string> focusTakenTo_;
};

}  // namespace aurisplot
