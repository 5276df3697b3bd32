#pragma once

// Form1, the program's only window, on Win32: its controls made from the
// form's design, the handlers of its events, and the window services the
// engine draws and reads through.

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "window/form_layout.h"
#include "window/form_services.h"
#include "window/pacing.h"
#include "window/win32/gdi_handle.h"
#include "window/win32/plot_surface.h"
#include "window/window_services.h"

namespace aurisplot::win32 {

class Form1 final : public FormServices<Form1>, private PacedScreen {
  public:
    // Makes the window and its controls, hidden, at the dpi of the screen it
    // will show on.
    Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    Form1(Form1&&) = delete;
    Form1& operator=(Form1&&) = delete;
    ~Form1() override;

    // Handlers.
    // Form_Load, which fills the resolution list, is FormServices'.
    void Command1_Click();  // runs the Graph command
    void Command2_Click();  // ends the program at once

    // Shows the window with the focus on the plot surface.
    void show();
    // Runs the event loop until the program ends; returns its exit status.
    [[nodiscard]] int run();
    // Handles one message as the event loop does: dialog keys first.
    void dispatch(MSG& message);

    // Window and controls; the plot surface, the title and the event pump are
    // FormServices'.
    [[nodiscard]] std::string text(TextField which) override;
    void setText(TextField which, const std::string& text) override;
    [[nodiscard]] std::string comboText() override;
    void addComboItem(const std::string& item) override;
    void setComboIndex(int index) override;
    [[nodiscard]] int checkState() override;
    void setCommand1Enabled(bool enabled) override;

    // Process control.
    void endProgram() override;

    [[nodiscard]] HWND hwnd() const { return hwnd_; }
    // A control by its design-time name: Picture1, Command1, Text1, Label1, ...
    [[nodiscard]] HWND control(std::string_view name) const;
    [[nodiscard]] const PlotSurface& surface() const { return *Picture1; }
    // Turned off, the plot surface draws every operation, repeats too.
    void skipRepeats(bool skip) { Picture1->skipRepeats(skip); }
    [[nodiscard]] int dpi() const { return dpi_; }

  private:
    friend class FormServices<Form1>;
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void makeControls();
    void layOut(int dpi);
    void fitClientArea();
    void paintLines();
    void drawButton(const DRAWITEMSTRUCT& item);
    [[nodiscard]] LRESULT colour(UINT message, HDC dc, HWND control);
    [[nodiscard]] HWND field(TextField which) const;
    void showDrawing() override;
    void showTitle(std::string_view title) override;
    void turnEventLoop() override;

    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    std::array<HWND, layout::kControls.size()> controls_{};  // in the design's order
    std::unique_ptr<PlotSurface> Picture1;
    Font font_;
    Brush black_;
    Brush white_;
    bool ending_ = false;
    Pacing pacing_{*this};
    bool destroying_ = false;  // by its owner, not by the user
    bool focusWasOnCommand1_ = false;
};

}  // namespace aurisplot::win32
