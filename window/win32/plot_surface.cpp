#include "window/win32/plot_surface.h"

#include <algorithm>
#include <utility>

#include "window/emblem.h"
#include "window/form_layout.h"
#include "window/surface_geometry.h"
#include "window/win32/named_accessible.h"
#include "window/win32/wide_text.h"

namespace aurisplot::win32 {
namespace {

constexpr const wchar_t* kClassName = L"AurisplotSurface";
// pixel := brush AND pixel, the box's counterpart of the mask pen.
constexpr DWORD kPatternAnd = 0x00A000C9;

// A colour of the window services (red in the low byte) is a COLORREF as it
// stands; a DIB pixel holds blue in the low byte.
[[nodiscard]] std::uint32_t dibPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return (std::uint32_t{red} << 16U) | (std::uint32_t{green} << 8U) | blue;
}

void registerClass() {
    WNDCLASSEXW surfaceClass{};
    surfaceClass.cbSize = sizeof surfaceClass;
    surfaceClass.lpfnWndProc = DefWindowProcW;  // replaced once the window knows its owner
    surfaceClass.hInstance = GetModuleHandleW(nullptr);
    surfaceClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    surfaceClass.lpszClassName = kClassName;
    RegisterClassExW(&surfaceClass);  // a second registration fails harmlessly
}

// A top-down 32-bit DIB section of that size; its pixels at `bits`.
[[nodiscard]] Bitmap dibSection(SIZE size, std::uint32_t*& bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = std::max<LONG>(size.cx, 1);
    info.bmiHeader.biHeight = -std::max<LONG>(size.cy, 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap) {
        throw WindowServiceError("no memory for the plot surface's picture");
    }
    bits = static_cast<std::uint32_t*>(pixels);
    return bitmap;
}

}  // namespace

PlotSurface::PlotSurface(HWND parent, int id)
    : dc_(CreateCompatibleDC(nullptr)), emblemDc_(CreateCompatibleDC(nullptr)) {
    registerClass();
    hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr || !dc_ || !emblemDc_) {
        throw WindowServiceError("the plot surface cannot be made");
    }
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PlotSurface::procedure));
}

LRESULT CALLBACK PlotSurface::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* surface = reinterpret_cast<PlotSurface*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_PAINT:
            surface->paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting covers every pixel
        case WM_LBUTTONDOWN:
            SetFocus(hwnd);  // it takes the focus, and does nothing else with a click
            return 0;
        case WM_GETOBJECT:
            if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
                return surface->accessibleObject(wParam);
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The chart for a screen reader that asked for it.
LRESULT PlotSurface::accessibleObject(WPARAM flags) {
    return namedAccessibleObject(hwnd_, flags, wide(layout::control("Picture1").accessibleName),
                                 description_, ROLE_SYSTEM_CHART);
}

void PlotSurface::setDescription(std::wstring description) {
    description_ = std::move(description);
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
}

void PlotSurface::place(const layout::TwipRect& design, int dpi) {
    const double ratio = dpi / 96.0;
    const int border = layout::kSurfaceBorderPixels;
    border_ = surface::deviceSize(border, ratio);
    const SIZE interior{surface::deviceSize(layout::pixels(design.width) - 2 * border, ratio),
                        surface::deviceSize(layout::pixels(design.height) - 2 * border, ratio)};
    SetWindowPos(hwnd_, nullptr, layout::devicePixels(design.left, dpi),
                 layout::devicePixels(design.top, dpi), interior.cx + 2 * border_,
                 interior.cy + 2 * border_, SWP_NOZORDER | SWP_NOACTIVATE);
    if (ratio == ratio_ && interior.cx == size_.cx && interior.cy == size_.cy) {
        return;
    }
    if (ratio != ratio_) {
        const GreyPicture grey = makeEmblem(ratio);
        std::uint32_t* bits = nullptr;
        Bitmap emblem = dibSection({grey.width, grey.height}, bits);
        for (int y = 0; y < grey.height; ++y) {
            for (int x = 0; x < grey.width; ++x) {
                const std::uint8_t level = grey.at(x, y);
                *bits++ = dibPixel(level, level, level);
            }
        }
        SelectObject(emblemDc_.get(), emblem.get());
        emblem_ = std::move(emblem);
        ratio_ = ratio;
    }
    makePicture(interior);
}

// A new picture of that size: drawn again from the record, or, past the
// record's capacity, the old one stretched until the next clear.
void PlotSurface::makePicture(SIZE size) {
    std::uint32_t* bits = nullptr;
    Bitmap next = dibSection(size, bits);
    SelectObject(dc_.get(), next.get());
    const Bitmap previous = std::exchange(picture_, std::move(next));
    const SIZE previousSize = std::exchange(size_, size);
    bits_ = bits;
    if (record_.complete() || !previous) {
        redraw();
    } else {
        const MemoryDc from(CreateCompatibleDC(nullptr));
        const Selected old(from.get(), previous.get());
        SetStretchBltMode(dc_.get(), COLORONCOLOR);  // whole pixels, no blending
        StretchBlt(dc_.get(), 0, 0, size.cx, size.cy, from.get(), 0, 0, previousSize.cx,
                   previousSize.cy, SRCCOPY);
    }
    InvalidateRect(hwnd_, nullptr, FALSE);
}

// Everything since the last clear, at the picture's dpi: what a fresh Graph
// would draw there. What this dpi refuses is left out, as a fresh Graph would
// leave it out.
void PlotSurface::redraw() {
    paintBackground();
    record_.replay([this](int mode) { useDrawMode(mode); },
                   [this](int width) { drawWidth_ = width; },
                   [this](const DrawingOperation& shape) { paint(shape); });
}

float PlotSurface::scaleWidth() const {
    return static_cast<float>(std::lround(size_.cx / ratio_) * layout::kTwipsPerPixel);
}

float PlotSurface::scaleHeight() const {
    return static_cast<float>(std::lround(size_.cy / ratio_) * layout::kTwipsPerPixel);
}

void PlotSurface::setDrawMode(int mode) {
    const int checked = surface::checkedDrawMode(mode);
    record_.perform(DrawingOperation::drawMode(checked),
                    [this](const DrawingOperation& setting) { useDrawMode(setting.setting); });
}

void PlotSurface::useDrawMode(int mode) {
    drawMode_ = mode == kDrawModeMaskPen ? R2_MASKPEN : R2_COPYPEN;
    SetROP2(dc_.get(), drawMode_);
}

void PlotSurface::setDrawWidth(int pixels) {
    const int checked = surface::checkedDrawWidth(pixels);
    record_.perform(DrawingOperation::drawWidth(checked),
                    [this](const DrawingOperation& setting) { drawWidth_ = setting.setting; });
}

// GDI leaves out a line's last pixel; painting it as well gives both ends,
// and both raster operations leave a pixel painted twice as painted once.
void PlotSurface::segment(POINT from, POINT to, Colour colour) {
    if (!pen_ || colour != penColour_) {
        Pen pen(CreatePen(PS_SOLID, 1, colour));
        SelectObject(dc_.get(), pen.get());
        pen_ = std::move(pen);
        penColour_ = colour;
    }
    MoveToEx(dc_.get(), from.x, from.y, nullptr);
    LineTo(dc_.get(), to.x, to.y);
    MoveToEx(dc_.get(), to.x, to.y, nullptr);
    LineTo(dc_.get(), to.x + 1, to.y);
}

void PlotSurface::drawLine(float x1, float y1, float x2, float y2, Colour colour) {
    record_.perform(DrawingOperation::line(x1, y1, x2, y2, colour),
                    [this](const DrawingOperation& line) {
                        paint(line);
                        drawn();
                    });
}

void PlotSurface::fillBox(float x1, float y1, float x2, float y2, Colour colour) {
    record_.perform(DrawingOperation::box(x1, y1, x2, y2, colour),
                    [this](const DrawingOperation& box) {
                        paint(box);
                        drawn();
                    });
}

// A line or a box, in the surface's draw mode and width.
void PlotSurface::paint(const DrawingOperation& operation) {
    const surface::DevicePoint a = surface::devicePoint(operation.x1, operation.y1, ratio_);
    const surface::DevicePoint b = surface::devicePoint(operation.x2, operation.y2, ratio_);
    if (operation.kind == DrawingOperation::Kind::Box) {
        const Brush brush(CreateSolidBrush(operation.colour));
        const Selected selected(dc_.get(), brush.get());
        // Corners included; the mask pen's AND for a box is the pattern's.
        PatBlt(dc_.get(), std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x) + 1,
               std::abs(b.y - a.y) + 1, drawMode_ == R2_MASKPEN ? kPatternAnd : PATCOPY);
        return;
    }
    // A wider pen covers the device pixels right of and below each point.
    const int thickness = surface::penThickness(drawWidth_, ratio_);
    for (int dy = 0; dy < thickness; ++dy) {
        for (int dx = 0; dx < thickness; ++dx) {
            segment({a.x + dx, a.y + dy}, {b.x + dx, b.y + dy}, operation.colour);
        }
    }
}

void PlotSurface::clear() {
    record_.clear(drawMode_ == R2_MASKPEN ? kDrawModeMaskPen : kDrawModeCopyPen, drawWidth_);
    paintBackground();
    drawn();
}

void PlotSurface::paintBackground() {
    const Brush white(CreateSolidBrush(layout::kSurfaceBackground));
    const RECT all{0, 0, size_.cx, size_.cy};
    FillRect(dc_.get(), &all, white.get());
    BITMAP emblem{};
    GetObjectW(emblem_.get(), sizeof emblem, &emblem);
    // At natural size, clipped by the interior.
    BitBlt(dc_.get(), 0, 0, std::min<LONG>(emblem.bmWidth, size_.cx),
           std::min<LONG>(emblem.bmHeight, size_.cy), emblemDc_.get(), 0, 0, SRCCOPY);
}

void PlotSurface::drawn() {
    if (held_) {
        unshown_ = true;
    } else {
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
}

void PlotSurface::release() {
    held_ = false;
    if (unshown_) {
        unshown_ = false;
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
}

void PlotSurface::showDrawing() {
    if (unshown_) {
        unshown_ = false;
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

std::span<const std::uint32_t> PlotSurface::picture() const {
    GdiFlush();  // GDI may still hold drawing back in its batch
    return {bits_, static_cast<std::size_t>(size_.cx) * static_cast<std::size_t>(size_.cy)};
}

// Only copies the picture, one to one, inside the border.
void PlotSurface::paint() {
    PAINTSTRUCT paint{};
    HDC screen = BeginPaint(hwnd_, &paint);
    RECT all{};
    GetClientRect(hwnd_, &all);
    const Brush border(CreateSolidBrush(layout::kSurfaceBorder));
    FillRect(screen, &all, border.get());
    BitBlt(screen, border_, border_, size_.cx, size_.cy, dc_.get(), 0, 0, SRCCOPY);
    EndPaint(hwnd_, &paint);
}

}  // namespace aurisplot::win32
