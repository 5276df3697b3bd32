#pragma once

#include <windows.h>

#include <string>

#include "window/form_layout.h"
#include "window/plot_canvas.h"

namespace aurisplot::win32 {

// Picture1 on Win32: a child window that shows the plot canvas's picture
// inside a thin fixed border, and that screen readers see as a chart. It only
// shows the picture; the canvas draws it, at the window's dpi.
class PlotSurface final : private CanvasScreen {
  public:
    // Makes the surface's child window; the window procedure owns nothing.
    PlotSurface(HWND parent, int id);
    PlotSurface(const PlotSurface&) = delete;
    PlotSurface& operator=(const PlotSurface&) = delete;
    PlotSurface(PlotSurface&&) = delete;
    PlotSurface& operator=(PlotSurface&&) = delete;
    ~PlotSurface() override = default;

    [[nodiscard]] HWND hwnd() const { return hwnd_; }
    [[nodiscard]] PlotCanvas& canvas() { return canvas_; }

    // Places the surface where the design puts it, at `dpi`, with room for
    // the picture at that dpi inside the border.
    void place(const layout::TwipRect& design, int dpi);

    // What the chart shows, in words, for screen readers.
    void setDescription(std::wstring description);

  private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void showLater() noexcept override;
    void showNow() noexcept override;
    void paint();

    HWND hwnd_ = nullptr;
    int border_ = 0;  // device pixels
    PlotCanvas canvas_{*this};
    std::wstring description_;
};

}  // namespace aurisplot::win32
