#pragma once

// Form1 as every toolkit runs it: the window services the engine calls, the
// handlers of the form's events, the pacing of a running command and the end
// of the program. A toolkit's window makes the controls from the design and
// gives the form core the few primitives below, each addressed by the
// control's design-time name; the plot surface's drawing is the canvas's.

#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/graph_engine.h"
#include "engine/window_services.h"
#include "window/pacing.h"
#include "window/plot_canvas.h"

namespace aurisplot {

// How a toolkit's primitive says that its control refused a value. The form
// core turns it into an operation's Refused; the engine never sees it.
class WindowServiceError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What a toolkit's window does for the form core. A primitive that the
// control refuses throws WindowServiceError; any other exception is a failure
// of the window's, which stops the running command. A control's name that
// the design does not have is the program's own fault: every toolkit throws
// std::logic_error for it (layout::control's).
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
    // Handles every pending event, then returns true. A toolkit that can take
    // its events only once the program has returned to it (a page) returns
    // false instead: the running command then waits, and the toolkit resumes
    // it after its turn (FormCore::resumeCommand).
    [[nodiscard]] virtual bool turnEventLoop() = 0;
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

    // What the toolkit reports of the user; the form core decides what runs.
    // A button of the design was clicked (pressed, or its accelerator used).
    void clicked(std::string_view control);
    // The user asked the window to close (its close box, the desktop's keys):
    // the program ends, also in the middle of a sweep.
    void closeRequested();
    // The window is on the screen. The first time, the form takes its
    // starting state: the blank picture, the focus on the first control of
    // the tab order, and the chart described as nothing drawn yet.
    void shown();
    // The screen's scale changed to `ratio` device pixels a pixel (another
    // monitor, a zoom): the picture is drawn again at it.
    void scaleChanged(double ratio) { canvas_.fit(ratio); }
    // Alt and a letter, on a toolkit that leaves access keys to the form: the
    // enabled button whose caption marks that letter is clicked. Whether one
    // was.
    bool accessKeyPressed(char letter);

    // Handlers.
    void Form_Load();       // fills the resolution list, before the window is first shown
    void Command1_Click();  // runs the Graph command, unless one is running
    void Command2_Click();  // ends the program at once

    // A command waits for the toolkit's turn of its event loop.
    [[nodiscard]] bool commandWaiting() const { return turnAwaited_; }
    // The toolkit's turn is over: the waiting command goes on.
    void resumeCommand();

    // The user closed the window, or the toolkit is ending the program: the
    // running command leaves at its next event pump, and nothing more is shown.
    void closing() noexcept;
    [[nodiscard]] bool ending() const { return ending_; }

    [[nodiscard]] PlotCanvas& canvas() { return canvas_; }

    // Plot surface (Picture1).
    [[nodiscard]] Outcome clear() noexcept override { return canvas_.clear(); }
    [[nodiscard]] Answer<float> scaleWidth() noexcept override { return {canvas_.scaleWidth()}; }
    [[nodiscard]] Answer<float> scaleHeight() noexcept override { return {canvas_.scaleHeight()}; }
    [[nodiscard]] Outcome setDrawMode(int mode) noexcept override {
        return canvas_.setDrawMode(mode);
    }
    [[nodiscard]] Outcome setDrawWidth(int pixels) noexcept override {
        return canvas_.setDrawWidth(pixels);
    }
    [[nodiscard]] Outcome drawLine(float x1, float y1, float x2, float y2,
                                   Colour colour) noexcept override {
        return canvas_.drawLine(x1, y1, x2, y2, colour);
    }
    [[nodiscard]] Outcome fillBox(float x1, float y1, float x2, float y2,
                                  Colour colour) noexcept override {
        return canvas_.fillBox(x1, y1, x2, y2, colour);
    }

    // Window and controls.
    [[nodiscard]] Answer<std::string_view> title() noexcept override { return {pacing_.title()}; }
    [[nodiscard]] Outcome setTitle(const std::string& title) noexcept override;
    [[nodiscard]] Answer<std::string> text(TextField field) noexcept override;
    [[nodiscard]] Outcome setText(TextField field, const std::string& text) noexcept override;
    [[nodiscard]] Answer<std::string> comboText() noexcept override;
    [[nodiscard]] Outcome addComboItem(const std::string& item) noexcept override;
    [[nodiscard]] Outcome setComboIndex(int index) noexcept override;
    [[nodiscard]] Answer<int> checkState() noexcept override;
    [[nodiscard]] Outcome setCommand1Enabled(bool enabled) noexcept override;

    // Process control.
    // A command that waited for the toolkit's turn pumps again when it is
    // resumed, and learns here how the turn went.
    [[nodiscard]] Outcome pumpEvents() noexcept override {
        if (turnAwaited_) {
            turnAwaited_ = false;
            pacing_.turned();
        } else if (!pacing_.pump()) {
            turnAwaited_ = true;
            return Outcome::Later;
        }
        return ending_ || kept_ ? Outcome::Ended : Outcome::Done;
    }
    void endProgram() noexcept override;

  private:
    void showDrawing() noexcept override { canvas_.showDrawing(); }
    void showTitle(std::string_view title) noexcept override;
    [[nodiscard]] bool turnEventLoop() noexcept override;
    // Runs the command on, up to its end or to the next turn it waits for.
    void goOn();

    // Runs a toolkit's primitive for the engine: what the control refuses is
    // Refused; any other failure is kept and ends the command.
    template <typename Primitive>
    [[nodiscard]] Outcome attempt(Primitive&& primitive) noexcept;
    template <typename Value, typename Primitive>
    [[nodiscard]] Answer<Value> ask(Primitive&& primitive) noexcept;
    // Throws what was kept, once, so that the command's boundary reports it.
    void rethrowKept();

    FormToolkit& toolkit_;
    PlotCanvas& canvas_;
    Pacing pacing_;
    bool ending_ = false;
    bool started_ = false;
    // A running command, and what brackets it: the canvas held and the screen
    // paced until it ends, whether it runs through or waits for turns.
    struct Running {
        explicit Running(FormCore& core);
        PlotCanvas::Held held;
        Pacing::Command paced;
        GraphCommand command;
    };
    std::optional<Running> running_;
    bool turnAwaited_ = false;
    // The window's failure beyond a refusal, kept from where it happened (a
    // primitive, a turn of the event loop) until the command can report it.
    std::exception_ptr kept_;
    // Where the focus went when disabling Command1 took it away: nowhere on
    // some toolkits, the next control on others.
    std::optional<std::string> focusTakenTo_;
};

}  // namespace aurisplot
