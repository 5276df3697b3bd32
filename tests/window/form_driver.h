#pragma once

// A started main window as a user meets it, whatever its toolkit: the tests
// written against this run on the Qt, the Win32 and the web window alike. Each
// toolkit's test program gives startForm() and implements the driver.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/graph_engine.h"
#include "engine/window_services.h"
#include "picture.h"
#include "window/form_core.h"
#include "window/form_layout.h"

namespace aurisplot::testing {

enum class Key { Tab, BackTab, Enter, Escape, Space, Down, End, AltG, AltX };

// How the window's frame lets the user change it.
using Frame = layout::Frame;

class FormDriver {
  public:
    FormDriver() = default;
    FormDriver(const FormDriver&) = delete;
    FormDriver& operator=(const FormDriver&) = delete;
    FormDriver(FormDriver&&) = delete;
    FormDriver& operator=(FormDriver&&) = delete;
    virtual ~FormDriver() = default;

    // The window's services and handlers, as the engine and the toolkit call them.
    [[nodiscard]] virtual WindowServices& services() = 0;
    // The toolkit's primitives, as the form core calls them.
    [[nodiscard]] virtual FormToolkit& toolkit() = 0;
    [[nodiscard]] Obliging obliging() { return Obliging(services()); }
    virtual void graph() = 0;  // Command1_Click, run to its end

    // What the user sees. Places are in pixels of the layout (logical pixels);
    // pictures in device pixels.
    [[nodiscard]] virtual PixelRect place(std::string_view control) = 0;
    [[nodiscard]] virtual PixelRect client() = 0;
    [[nodiscard]] virtual Frame frame() = 0;
    [[nodiscard]] virtual bool hasIcon(int pixels) = 0;
    [[nodiscard]] virtual std::string shownTitle() = 0;
    [[nodiscard]] virtual std::string textOf(std::string_view control) = 0;
    [[nodiscard]] virtual std::vector<std::string> comboItems() = 0;
    [[nodiscard]] virtual bool enabled(std::string_view control) = 0;
    [[nodiscard]] virtual std::string focus() = 0;  // the focused control's name
    [[nodiscard]] virtual bool shown() = 0;         // the window is on the screen
    [[nodiscard]] virtual int textLimit(std::string_view field) = 0;
    // What the window gives screen readers for a control: its name and its
    // description.
    [[nodiscard]] virtual std::string accessibleName(std::string_view control) = 0;
    [[nodiscard]] virtual std::string accessibleDescription(std::string_view control) = 0;
    // Tab past the last control leaves the window for the page around it, and
    // Shift+Tab before the first, as on a web page; on a desktop the focus
    // comes round to the other end.
    [[nodiscard]] virtual bool tabLeavesTheWindow() { return false; }
    // Whether the screen shows the picture one device pixel to one at a
    // fractional ratio too; a page lays it out in CSS pixels, which the
    // browser puts on device pixels as it will.
    [[nodiscard]] virtual bool oneToOneAtFractionalRatios() { return true; }
    [[nodiscard]] virtual Picture surface() = 0;          // the interior as drawn
    [[nodiscard]] virtual Picture surfaceOnScreen() = 0;  // the whole surface as shown
    [[nodiscard]] virtual Picture clientOnScreen() = 0;   // the client area as shown
    [[nodiscard]] virtual double ratio() = 0;             // device pixels per pixel
    // Turned off, the plot surface draws every operation, repeats too.
    virtual void skipRepeats(bool skip) = 0;

    // What the user does.
    virtual void focusOn(std::string_view control) = 0;
    virtual void press(Key key) = 0;  // to the focused control
    virtual void type(std::string_view text) = 0;
    virtual void click(std::string_view control) = 0;
    virtual void setChecked(bool checked) = 0;
    virtual void closeBox() = 0;
    // The window's scale changes to `ratio` device pixels per pixel, as when
    // it moves to another monitor; it has taken effect when this returns.
    virtual void changeScale(double ratio) = 0;

    // Time. Events are handled while waiting.
    [[nodiscard]] virtual bool waitFor(const std::function<bool()>& done) = 0;
    // Handles events until whatever the input so far started has run (a
    // toolkit may press a button some time after its key); false when it
    // never does.
    [[nodiscard]] virtual bool settle() = 0;
    // Calls `tick` every `milliseconds` while events are handled, until stopped.
    virtual void every(int milliseconds, std::function<void()> tick) = 0;
    virtual void stopTicks() = 0;
    // Runs the program's event loop, starting with `first`, until the program
    // ends; its exit status (1 when it runs on for a minute).
    [[nodiscard]] virtual int runProgram(std::function<void()> first) = 0;
};

// What every window answers alike, through its form core and the primitives
// of its toolkit, with the canvas's pixels as the drawing: a toolkit's driver
// adds only the input it posts and what it reads off its own screen.
class CoreDriver : public FormDriver {
  public:
    CoreDriver(FormCore& core, FormToolkit& toolkit) : core_(core), toolkit_(toolkit) {}

    WindowServices& services() final { return core_; }
    FormToolkit& toolkit() final { return toolkit_; }
    void graph() final {
        core_.Command1_Click();
        while (core_.commandWaiting()) {
            turnForTheCommand();
        }
    }
    std::string textOf(std::string_view control) final { return toolkit_.text(control); }
    bool enabled(std::string_view control) final { return toolkit_.enabled(control); }
    std::string focus() final { return toolkit_.focused(); }
    Picture surface() final { return pictureOf(core_.canvas()); }
    double ratio() final { return core_.canvas().ratio(); }
    void skipRepeats(bool skip) final { core_.canvas().skipRepeats(skip); }

  protected:
    [[nodiscard]] FormCore& core() { return core_; }
    // One turn of the event loop that a waiting command asked for, on a
    // toolkit that turns it only after the command has let go.
    virtual void turnForTheCommand() { core_.resumeCommand(); }

  private:
    FormCore& core_;
    FormToolkit& toolkit_;
};

// A started window: built, loaded, shown and active, as the program starts it.
[[nodiscard]] std::unique_ptr<FormDriver> startForm();

class FormTest : public ::testing::Test {
  protected:
    FormTest() : driver(startForm()), form(*driver) {}

    [[nodiscard]] std::string title() { return form.shownTitle(); }
    [[nodiscard]] std::string text(TextField field) { return form.obliging().text(field); }
    void setText(TextField field, const std::string& text) { form.obliging().setText(field, text); }

    // Waits until the title shows the result of a Graph command.
    [[nodiscard]] bool waitForResult(const std::string& result) {
        const std::string expected = std::string(kTitle) + " - [MPE range is ~" + result + "]";
        return form.waitFor([&] { return title() == expected; });
    }

    std::unique_ptr<FormDriver> driver;
    FormDriver& form;
};

}  // namespace aurisplot::testing
