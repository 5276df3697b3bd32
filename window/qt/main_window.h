#pragma once

// Form1, the program's only window, on Qt: its controls made from the form's
// design, shown as Qt's widgets. What the window does is the form core's.

#include <QWidget>
#include <array>
#include <string>
#include <string_view>

#include "window/form_core.h"
#include "window/form_layout.h"
#include "window/qt/plot_surface.h"

namespace aurisplot {

// Has assistive tools see the window as an application's window and the plot
// surface as a chart. Qt keeps the first accessible interface it makes for a
// widget, so the program calls this once, before it makes its first Form1.
void installAccessibleRoles();

class Form1 final : public QWidget, public FormToolkit {
  public:
    explicit Form1(QWidget* parent = nullptr);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    Form1(Form1&&) = delete;
    Form1& operator=(Form1&&) = delete;
    ~Form1() override = default;

    // The window services and the handlers.
    [[nodiscard]] FormCore& core() { return core_; }
    [[nodiscard]] FormToolkit& toolkit() { return *this; }

    // A control by its design-time name: Picture1, Command1, Text1, Label1, ...
    // as the widget of its kind.
    template <typename Widget = QWidget>
    [[nodiscard]] Widget& control(std::string_view name) const {
        auto* widget = dynamic_cast<Widget*>(controls_.at(layout::indexOf(name)));
        if (widget == nullptr) {
            throw WindowServiceError("the control is of another kind");
        }
        return *widget;
    }

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

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    [[nodiscard]] static std::array<QWidget*, layout::kControls.size()> makeControls(QWidget& form);

    // The controls in the design's order, owned by the form as their Qt parent.
    std::array<QWidget*, layout::kControls.size()> controls_;
    FormCore core_;
};

}  // namespace aurisplot
