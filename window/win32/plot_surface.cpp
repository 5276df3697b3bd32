#include "window/win32/plot_surface.h"

#include <utility>

#include "window/form_core.h"
#include "window/surface_geometry.h"
#include "window/win32/gdi_handle.h"
#include "window/win32/named_accessible.h"
#include "window/win32/report.h"
#include "window/win32/wide_text.h"

namespace aurisplot::win32 {
namespace {

constexpr const wchar_t* kClassName = L"AurisplotSurface";

void registerClass() {
    WNDCLASSEXW surfaceClass{};
    surfaceClass.cbSize = sizeof surfaceClass;
    surfaceClass.lpfnWndProc = DefWindowProcW;  // replaced once the window knows its owner
    surfaceClass.hInstance = GetModuleHandleW(nullptr);
    surfaceClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    surfaceClass.lpszClassName = kClassName;
    RegisterClassExW(&surfaceClass);  // a second registration fails harmlessly
}

}  // namespace

PlotSurface::PlotSurface(HWND parent, int id) {
    registerClass();
    hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        throw WindowServiceError("the plot surface cannot be made");
    }
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PlotSurface::procedure));
}

// Nothing may cross the system's dispatch.
LRESULT CALLBACK PlotSurface::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* surface = reinterpret_cast<PlotSurface*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    try {
        return surface->handle(message, wParam, lParam);
    } catch (...) {
        reportDiagnostic(L"the plot surface could not handle a message");
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT PlotSurface::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting covers every pixel
        case WM_LBUTTONDOWN:
            SetFocus(hwnd_);  // it takes the focus, and does nothing else with a click
            return 0;
        case WM_GETOBJECT:
            // The chart for a screen reader that asked for it.
            if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
                return namedAccessibleObject(hwnd_, wParam,
                                             wide(layout::control("Picture1").accessibleName),
                                             description_, ROLE_SYSTEM_CHART);
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void PlotSurface::setDescription(std::wstring description) {
    description_ = std::move(description);
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
}

void PlotSurface::place(const layout::TwipRect& design, int dpi) {
    const double ratio = dpi / 96.0;
    border_ = surface::deviceSize(layout::kSurfaceBorderPixels, ratio);
    SetWindowPos(hwnd_, nullptr, layout::devicePixels(design.left, dpi),
                 layout::devicePixels(design.top, dpi),
                 surface::deviceSize(layout::kPictureInterior.width, ratio) + 2 * border_,
                 surface::deviceSize(layout::kPictureInterior.height, ratio) + 2 * border_,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlotSurface::showLater() noexcept {
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void PlotSurface::showNow() noexcept {
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// Only copies the picture, one to one, inside the border: a 32-bit DIB holds
// blue, green and red in that order, the canvas's Bgra.
void PlotSurface::paint() {
    PAINTSTRUCT paint{};
    HDC screen = BeginPaint(hwnd_, &paint);
    RECT all{};
    GetClientRect(hwnd_, &all);
    const Brush border(CreateSolidBrush(layout::kSurfaceBorder));
    FillRect(screen, &all, border.get());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = canvas_.width();
    info.bmiHeader.biHeight = -canvas_.height();  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(screen, border_, border_, static_cast<DWORD>(canvas_.width()),
                      static_cast<DWORD>(canvas_.height()), 0, 0, 0,
                      static_cast<UINT>(canvas_.height()), canvas_.pixels().data(), &info,
                      DIB_RGB_COLORS);
    EndPaint(hwnd_, &paint);
}

}  // namespace aurisplot::win32
