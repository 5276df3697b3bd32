#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "engine/chart_description.h"
#include "window/drawing_record.h"
#include "window/form_layout.h"
#include "window/win32/gdi_handle.h"
#include "window/win32/wide_text.h"
#include "window/window_services.h"

namespace aurisplot::win32 {

// Picture1: the white plot surface with a thin fixed border. The drawing lives
// in a 32-bit DIB section at device resolution, drawn with GDI's own raster
// operations; painting only copies it to the screen. Coordinates are twips of
// the interior, origin at its top-left corner. What was drawn since the last
// clear is recorded, and drawn again when the dpi changes.
class PlotSurface {
  public:
    // Makes the surface's child window; the window procedure owns nothing.
    PlotSurface(HWND parent, int id);
    PlotSurface(const PlotSurface&) = delete;
    PlotSurface& operator=(const PlotSurface&) = delete;
    PlotSurface(PlotSurface&&) = delete;
    PlotSurface& operator=(PlotSurface&&) = delete;
    ~PlotSurface() = default;

    [[nodiscard]] HWND hwnd() const { return hwnd_; }

    // Places the surface where the design puts it, at `dpi`; at a new dpi
    // the picture is drawn again.
    void place(const layout::TwipRect& design, int dpi);

    // The drawing operations of the window services, in twips.
    void clear();
    [[nodiscard]] float scaleWidth() const;
    [[nodiscard]] float scaleHeight() const;
    void setDrawMode(int mode);
    void setDrawWidth(int pixels);
    void drawLine(float x1, float y1, float x2, float y2, Colour colour);
    void fillBox(float x1, float y1, float x2, float y2, Colour colour);

    // While held, drawing reaches the screen only through showDrawing(): a
    // sweep draws thousands of segments and must not pay for a repaint with
    // each of them.
    void hold() { held_ = true; }
    void release();
    // Repaints now if anything was drawn since the screen last showed it.
    void showDrawing();

    // Turned off, every operation is drawn, repeats too: the picture is the
    // same either way, only slower to make.
    void skipRepeats(bool skip) { record_.skipRepeats(skip); }

    // What the chart shows, in words, for screen readers.
    void setDescription(std::wstring description);
    [[nodiscard]] const std::wstring& description() const { return description_; }

    // The interior as drawn, one value per device pixel, row by row (0x00RRGGBB).
    [[nodiscard]] int pictureWidth() const { return size_.cx; }
    [[nodiscard]] int pictureHeight() const { return size_.cy; }
    [[nodiscard]] std::span<const std::uint32_t> picture() const;

  private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    [[nodiscard]] LRESULT accessibleObject(WPARAM flags);
    void drawn();
    void makePicture(SIZE size);
    void redraw();
    void paintBackground();
    void useDrawMode(int mode);
    void paint(const DrawingOperation& operation);
    void segment(POINT from, POINT to, Colour colour);

    HWND hwnd_ = nullptr;
    double ratio_ = 0;  // device pixels per pixel
    int border_ = 0;    // device pixels
    SIZE size_{0, 0};   // of the interior, device pixels
    // Each bitmap and the pen are selected into their device context, which
    // is declared after them and so deleted first.
    Bitmap picture_;
    Pen pen_;
    MemoryDc dc_;
    std::uint32_t* bits_ = nullptr;
    Bitmap emblem_;
    MemoryDc emblemDc_;
    Colour penColour_ = 0;
    bool held_ = false;
    bool unshown_ = false;
    int drawMode_ = R2_COPYPEN;
    int drawWidth_ = 1;
    DrawingRecord record_{kDrawModeCopyPen, 1};
    std::wstring description_ = wide(kNothingDrawn);
};

// Holds a surface's drawing back from the screen for one scope.
class HeldSurface {
  public:
    explicit HeldSurface(PlotSurface& surface) : surface_(surface) { surface_.hold(); }
    HeldSurface(const HeldSurface&) = delete;
    HeldSurface& operator=(const HeldSurface&) = delete;
    HeldSurface(HeldSurface&&) = delete;
    HeldSurface& operator=(HeldSurface&&) = delete;
    ~HeldSurface() { surface_.release(); }

  private:
    PlotSurface& surface_;
};

}  // namespace aurisplot::win32
