#include "window/form_core.h"

#include <algorithm>
#include <string>
#include <utility>

#include "engine/graph_engine.h"
#include "window/command_boundary.h"
#include "window/form_layout.h"

namespace aurisplot {
namespace {

[[nodiscard]] std::string_view nameOf(TextField field) {
    switch (field) {
        case TextField::Text1:
            return "Text1";
        case TextField::Text2:
            return "Text2";
        case TextField::Text3:
            return "Text3";
        case TextField::Text4:
            return "Text4";
    }
    throw WindowServiceError("no such text field");
}

constexpr std::string_view kList = "Combo1";
constexpr std::string_view kGraph = "Command1";
constexpr std::string_view kExit = "Command2";

}  // namespace

FormCore::FormCore(FormToolkit& toolkit, PlotCanvas& canvas, const PacingClock& clock)
    : toolkit_(toolkit), canvas_(canvas), pacing_(*this, clock, kTitle) {}

void FormCore::clicked(std::string_view control) {
    if (control == kGraph) {
        Command1_Click();
    } else if (control == kExit) {
        Command2_Click();
    }
}

bool FormCore::accessKeyPressed(char letter) {
    const char key = layout::accessKey(std::string{'&', letter});
    const auto* const button = std::find_if(
        layout::kControls.begin(), layout::kControls.end(), [&](const layout::Control& design) {
            return design.kind == layout::Kind::PushButton && key != 0 &&
                   layout::accessKey(design.caption) == key && toolkit_.enabled(design.name);
        });
    if (button == layout::kControls.end()) {
        return false;
    }
    clicked(button->name);
    return true;
}

void FormCore::shown() {
    if (std::exchange(started_, true)) {
        return;
    }
    static_cast<void>(canvas_.clear());
    const auto* const first =
        std::find_if(layout::kControls.begin(), layout::kControls.end(), layout::takesFocus);
    toolkit_.focus(first->name);
    toolkit_.describeChart(kNothingDrawn);
}

// Closing the only window is what Exit does.
void FormCore::closeRequested() {
    Command2_Click();
}

// Before the window is shown there is no command to go on with: a failure
// here stops the start.
void FormCore::Form_Load() {
    for (const Resolution& entry : kResolutions) {
        toolkit_.addItem(kList, entry.text);
    }
    toolkit_.select(kList, 0);
}

FormCore::Running::Running(FormCore& core)
    : held(core.canvas_), paced(core.pacing_), command(graphCommand(core)) {}

// A click that reaches the handler while the command runs (from a toolkit
// that still delivers it to a disabled button, or a test) starts no second
// command inside the first.
void FormCore::Command1_Click() {
    if (running_) {
        return;
    }
    // Even making the command (its frame) may fail: inside the boundary.
    const bool made = runCommand(
        *this,
        [this] {
            running_.emplace(*this);
            return true;
        },
        [this](std::string_view what) { toolkit_.reportFailure(what); });
    if (made) {
        goOn();
    }
}

void FormCore::resumeCommand() {
    if (running_ && turnAwaited_) {
        goOn();
    }
}

void FormCore::goOn() {
    if (!running_->command.resume()) {
        return;  // waits for the toolkit's turn
    }
    GraphCommand ended = std::move(running_->command);
    // The pacing shows it all, picture before title, before the command's
    // failure is reported or its result described.
    running_.reset();
    const std::optional<ChartDrawn> drawn = runCommand(
        *this,
        [&] {
            std::optional<ChartDrawn> graphed = ended.take();
            rethrowKept();
            return graphed;
        },
        [this](std::string_view what) { toolkit_.reportFailure(what); });
    if (drawn) {
        // Once the screen shows the result, and once per command: each change
        // is announced to assistive tools.
        toolkit_.describeChart(aurisplot::describeChart(*drawn));
    }
}

// Within a running command, what fails here stops it; otherwise it reaches
// the toolkit's dispatch, as any handler's failure does.
void FormCore::Command2_Click() {
    endProgram();
    rethrowKept();
}

void FormCore::closing() noexcept {
    ending_ = true;
    pacing_.stopShowing();
}

template <typename Primitive>
Outcome FormCore::attempt(Primitive&& primitive) noexcept {
    try {
        std::forward<Primitive>(primitive)();
        return Outcome::Done;
    } catch (const WindowServiceError&) {
        return Outcome::Refused;
    } catch (...) {
        if (!kept_) {
            kept_ = std::current_exception();
        }
        return Outcome::Ended;
    }
}

template <typename Value, typename Primitive>
Answer<Value> FormCore::ask(Primitive&& primitive) noexcept {
    Answer<Value> answer;
    answer.outcome = attempt([&] { answer.value = std::forward<Primitive>(primitive)(); });
    return answer;
}

void FormCore::rethrowKept() {
    if (kept_) {
        std::rethrow_exception(std::exchange(kept_, nullptr));
    }
}

Outcome FormCore::setTitle(const std::string& title) noexcept {
    return attempt([&] { pacing_.setTitle(title); });
}

Answer<std::string> FormCore::text(TextField field) noexcept {
    return ask<std::string>([&] { return toolkit_.text(nameOf(field)); });
}

Outcome FormCore::setText(TextField field, const std::string& text) noexcept {
    return attempt([&] { toolkit_.setText(nameOf(field), text); });
}

Answer<std::string> FormCore::comboText() noexcept {
    return ask<std::string>([&] { return toolkit_.text(kList); });
}

Outcome FormCore::addComboItem(const std::string& item) noexcept {
    return attempt([&] { toolkit_.addItem(kList, item); });
}

Outcome FormCore::setComboIndex(int index) noexcept {
    return attempt([&] {
        if (!listIndexValid(index, toolkit_.itemCount(kList))) {
            throw WindowServiceError("list index out of range");
        }
        toolkit_.select(kList, index);
    });
}

Answer<int> FormCore::checkState() noexcept {
    return ask<int>([&] { return toolkit_.checkState("Check1"); });
}

// Disabling a focused control takes the focus away from it, to nothing or to
// the next control, as the toolkit does; Graph gets it back at the end of the
// command unless the user has put it elsewhere meanwhile, so that a second
// Space graphs again instead of pressing whatever the focus went to.
Outcome FormCore::setCommand1Enabled(bool enabled) noexcept {
    return attempt([&] {
        if (!enabled) {
            const bool hadFocus = toolkit_.focused() == kGraph;
            toolkit_.enable(kGraph, false);
            focusTakenTo_.reset();
            if (hadFocus) {
                focusTakenTo_ = toolkit_.focused();
            }
            return;
        }
        toolkit_.enable(kGraph, true);
        if (focusTakenTo_ && toolkit_.focused() == *focusTakenTo_) {
            toolkit_.focus(kGraph);
        }
        focusTakenTo_.reset();
    });
}

void FormCore::endProgram() noexcept {
    closing();
    static_cast<void>(attempt([this] { toolkit_.closeWindow(); }));
}

// A title the toolkit refuses stays as it was on the screen, as the statement
// that set it would have been abandoned.
void FormCore::showTitle(std::string_view title) noexcept {
    static_cast<void>(attempt([&] { toolkit_.showTitle(title); }));
}

// A turn that fails has turned: the command ends at once.
bool FormCore::turnEventLoop() noexcept {
    bool turned = true;
    static_cast<void>(attempt([&] { turned = toolkit_.turnEventLoop(); }));
    return turned;
}

}  // namespace aurisplot
