#pragma once

// Form1, the program's only window, on Win32: its controls made from the
// form's design, shown as the system's own controls. What the window does is
// the form core's.

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "window/form_core.h"
#include "window/form_layout.h"
#include "window/win32/gdi_handle.h"
#include "window/win32/plot_surface.h"

namespace aurisplot::win32 {

// A drop-down list's entry at `index`; WindowServiceError when it has none.
[[nodiscard]] std::wstring listEntry(HWND list, LRESULT index);

class Form1 final : public FormToolkit {
  public:
    // Makes the window and its controls, hidden, at the dpi of the screen it
    // will show on.
    Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    Form1(Form1&&) = delete;
    Form1& operator=(Form1&&) = delete;
    ~Form1() override;

    // The window services and the handlers.
    [[nodiscard]] FormCore& core() { return core_; }
    [[nodiscard]] FormToolkit& toolkit() { return *this; }

    // Shows the window with the focus on the plot surface.
    void show();
    // Runs the event loop until the program ends; returns its exit status.
    [[nodiscard]] int run();
    // Handles one message as the event loop does: dialog keys first.
    void dispatch(MSG& message);

    [[nodiscard]] HWND hwnd() const { return hwnd_; }
    // A control by its design-time name: Picture1, Command1, Text1, Label1, ...
    [[nodiscard]] HWND control(std::string_view name) const;
    [[nodiscard]] int dpi() const { return dpi_; }

    // The form core's primitives.
    [[nodiscard]] std::string text(std::string_view control) override;
    void setText(std::string_view control, std::string_view text) override;
    void addItem(std::string_view control, std::string_view item) override;
    [[nodiscard]] int itemCount(std::string_view control) override;
    void select(std::string_view control, int index) override;
    [[nodiscard]] int checkState(std::string_view control) override;
    [[nodiscard]] bool enabled(std::string_view control) override;
    void enable(std::string_view control, bool enabled) override;
    [[nodiscard]] std::string focused() override;
    void focus(std::string_view control) override;
    void showTitle(std::string_view title) override;
    [[nodiscard]] bool turnEventLoop() override;
    void closeWindow() override;
    void describeChart(std::string_view description) override;
    void reportFailure(std::string_view what) override;

  private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void makeControls();
    void layOut(int dpi);
    void fitClientArea();
    // The window stops answering through this Form1, and goes.
    void release() noexcept;
    void paintLines();
    void drawButton(const DRAWITEMSTRUCT& item);
    [[nodiscard]] LRESULT colour(UINT message, HDC dc, HWND control);

    HWND hwnd_;
    int dpi_ = 96;
    std::array<HWND, layout::kControls.size()> controls_{};  // in the design's order
    Font font_;
    Brush black_;
    Brush white_;
    std::unique_ptr<PlotSurface> picture1_;  // Picture1
    FormCore core_;
};

}  // namespace aurisplot::win32
