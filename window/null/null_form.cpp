#include "window/null/null_form.h"

#include "engine/graph_engine.h"
#include "window/form_layout.h"

namespace aurisplot {

NullForm::NullForm(double ratio) : title_(kTitle) {
    for (const layout::Control& design : layout::kControls) {
        texts_.emplace(design.name, design.caption);
        enabled_.emplace(design.name, true);
    }
    core_.scaleChanged(ratio);
}

std::string NullForm::text(std::string_view control) {
    // A name the design does not have throws here.
    if (layout::control(control).kind == layout::Kind::DropDownList) {
        return selected_ >= 0 ? items_.at(static_cast<std::size_t>(selected_)) : std::string();
    }
    return texts_.at(std::string(control));
}

void NullForm::setText(std::string_view control, std::string_view text) {
    static_cast<void>(layout::control(control));
    texts_.at(std::string(control)) = text;
}

void NullForm::addItem(std::string_view control, std::string_view item) {
    static_cast<void>(layout::control(control));
    items_.emplace_back(item);
}

int NullForm::itemCount(std::string_view control) {
    static_cast<void>(layout::control(control));
    return static_cast<int>(items_.size());
}

void NullForm::select(std::string_view control, int index) {
    static_cast<void>(layout::control(control));
    selected_ = index;
}

int NullForm::checkState(std::string_view control) {
    static_cast<void>(layout::control(control));
    return checkState_;
}

bool NullForm::enabled(std::string_view control) {
    static_cast<void>(layout::control(control));
    return enabled_.at(std::string(control));
}

void NullForm::enable(std::string_view control, bool enabled) {
    static_cast<void>(layout::control(control));
    enabled_.at(std::string(control)) = enabled;
}

}  // namespace aurisplot
