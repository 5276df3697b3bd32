#include "window/form_core.h"

#include <string>

#include "engine/graph_engine.h"
#include "window/command_boundary.h"

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

}  // namespace

FormCore::FormCore(FormToolkit& toolkit, PlotCanvas& canvas, const PacingClock& clock)
    : toolkit_(toolkit), canvas_(canvas), pacing_(*this, clock, kTitle) {}

void FormCore::Form_Load() {
    for (const Resolution& entry : kResolutions) {
        addComboItem(std::string(entry.text));
    }
    setComboIndex(0);
}

void FormCore::Command1_Click() {
    const auto drawn = runCommand(
        *this,
        [this] {
            // The pacing shows it all, picture before title, before the hold ends.
            const PlotCanvas::Held held(canvas_);
            const Pacing::Command paced(pacing_);
            return runGraphCommand(*this);
        },
        [this](std::string_view what) { toolkit_.reportFailure(what); });
    if (drawn) {
        // Once the screen shows the result, and once per command: each change
        // is announced to assistive tools.
        toolkit_.describeChart(aurisplot::describeChart(*drawn));
    }
}

void FormCore::Command2_Click() {
    endProgram();
}

void FormCore::closing() {
    ending_ = true;
    pacing_.stopShowing();
}

std::string FormCore::text(TextField field) {
    return toolkit_.text(nameOf(field));
}

void FormCore::setText(TextField field, const std::string& text) {
    toolkit_.setText(nameOf(field), text);
}

std::string FormCore::comboText() {
    return toolkit_.text(kList);
}

void FormCore::addComboItem(const std::string& item) {
    toolkit_.addItem(kList, item);
}

void FormCore::setComboIndex(int index) {
    if (!listIndexValid(index, toolkit_.itemCount(kList))) {
        throw WindowServiceError("list index out of range");
    }
    toolkit_.select(kList, index);
}

int FormCore::checkState() {
    return toolkit_.checkState("Check1");
}

// Disabling a focused control takes the focus away from it, to nothing or to
// the next control, as the toolkit does; Graph gets it back at the end of the
// command unless the user has put it elsewhere meanwhile, so that a second
// Space graphs again instead of pressing whatever the focus went to.
void FormCore::setCommand1Enabled(bool enabled) {
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
}

void FormCore::pumpEvents() {
    pacing_.pump();
    if (ending_) {
        throw ProgramEnded{};
    }
}

void FormCore::endProgram() {
    closing();
    toolkit_.closeWindow();
}

}  // namespace aurisplot
