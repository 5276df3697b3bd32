// The Win32 window as the shared window tests drive it: input arrives as the
// system would post it, and pictures are read back from the window's own
// device contexts.

#include <windows.h>

#include <shellapi.h>

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "form_driver.h"
#include "msaa.h"
#include "window/form_layout.h"
#include "window/win32/main_window.h"
#include "window/win32/resource_ids.h"
#include "window/win32/wide_text.h"

namespace aurisplot::testing {
namespace {

using win32::narrow;
using win32::wide;

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT_PTR kFirstTimer = 2;
constexpr UINT_PTR kFailsafeTimer = 3;

[[nodiscard]] std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// What a window shows, read from its device context.
[[nodiscard]] Picture shotOf(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDCEx(window, nullptr, DCX_CACHE);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    Picture picture(width, height);
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[y * width + x];
            picture.set(x, y,
                        rgb(static_cast<std::uint8_t>(p >> 16U), static_cast<std::uint8_t>(p >> 8U),
                            static_cast<std::uint8_t>(p)));
        }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return picture;
}

// The scale the test program was asked to run at (--scale=F), as a screen of
// 96 x F dots per inch.
[[nodiscard]] double scaleOption() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    double scale = 1.0;
    constexpr std::wstring_view kScaleOption = L"--scale=";
    for (int i = 1; i < count; ++i) {
        const std::wstring_view argument = arguments[i];
        if (argument.starts_with(kScaleOption)) {
            scale = std::stod(std::wstring(argument.substr(kScaleOption.size())));
        }
    }
    LocalFree(static_cast<HLOCAL>(arguments));
    return scale;
}

// Made before the driver's shared part, which keeps references into it.
struct Win32Form {
    win32::Form1 form_;
};

class Win32Driver final : private Win32Form, public CoreDriver {
  public:
    Win32Driver() : CoreDriver(form_.core(), form_.toolkit()) {
        WNDCLASSEXW timers{};
        timers.cbSize = sizeof timers;
        timers.lpfnWndProc = &Win32Driver::timerProcedure;
        timers.hInstance = GetModuleHandleW(nullptr);
        timers.lpszClassName = L"AurisplotTestTimers";
        RegisterClassExW(&timers);
        timers_ = CreateWindowExW(0, timers.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, timers.hInstance, nullptr);
        SetWindowLongPtrW(timers_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

        form_.core().Form_Load();
        form_.show();
        const double scale = scaleOption();
        if (scale != 1.0) {
            changeDpi(static_cast<int>(std::lround(96 * scale)));
        }
        drain();
    }
    Win32Driver(const Win32Driver&) = delete;
    Win32Driver& operator=(const Win32Driver&) = delete;
    Win32Driver(Win32Driver&&) = delete;
    Win32Driver& operator=(Win32Driver&&) = delete;
    ~Win32Driver() override { DestroyWindow(timers_); }

    PixelRect place(std::string_view control) override {
        RECT r{};
        GetWindowRect(form_.control(control), &r);
        MapWindowPoints(HWND_DESKTOP, form_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return logical({r.left, r.top, r.right - r.left, r.bottom - r.top});
    }
    PixelRect client() override {
        RECT r{};
        GetClientRect(form_.hwnd(), &r);
        return logical({0, 0, r.right, r.bottom});
    }
    std::vector<std::string> comboItems() override {
        HWND list = form_.control("Combo1");
        std::vector<std::string> items;
        const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            items.push_back(win32::narrow(win32::listEntry(list, i)));
        }
        return items;
    }
    Frame frame() override {
        const auto style = static_cast<DWORD>(GetWindowLongW(form_.hwnd(), GWL_STYLE));
        return {(style & WS_SYSMENU) != 0, (style & WS_MINIMIZEBOX) != 0,
                (style & WS_MAXIMIZEBOX) != 0, (style & WS_THICKFRAME) != 0};
    }
    // The icon resource holds an image of exactly that size.
    bool hasIcon(int pixels) override {
        HMODULE module = GetModuleHandleW(nullptr);
        HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(IDI_AURISPLOT), RT_GROUP_ICON);
        if (group == nullptr) {
            return false;
        }
        auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, pixels, pixels, 0);
        HRSRC icon = FindResourceW(module, MAKEINTRESOURCEW(id), RT_ICON);
        if (icon == nullptr) {
            return false;
        }
        const auto* image = static_cast<const BYTE*>(LockResource(LoadResource(module, icon)));
        if (std::memcmp(image, "\x89PNG", 4) == 0) {
            return (image[16] << 24 | image[17] << 16 | image[18] << 8 | image[19]) == pixels;
        }
        return reinterpret_cast<const BITMAPINFOHEADER*>(image)->biWidth == pixels;
    }
    std::string shownTitle() override { return narrow(windowText(form_.hwnd())); }
    bool shown() override { return IsWindowVisible(form_.hwnd()) != FALSE; }
    int textLimit(std::string_view field) override {
        return static_cast<int>(SendMessageW(form_.control(field), EM_GETLIMITTEXT, 0, 0));
    }
    std::string accessibleName(std::string_view control) override {
        return win32::narrow(presented(form_.control(control)).name);
    }
    std::string accessibleDescription(std::string_view control) override {
        return win32::narrow(presented(form_.control(control)).description);
    }
    Picture surfaceOnScreen() override { return shotOf(form_.control("Picture1")); }
    Picture clientOnScreen() override { return shotOf(form_.hwnd()); }

    void focusOn(std::string_view control) override {
        SetFocus(form_.control(control));
        drain();
    }
    void press(Key key) override {
        HWND target = GetFocus();
        switch (key) {
            case Key::Tab:
                keyDown(target, VK_TAB);
                break;
            case Key::BackTab: {
                BYTE state[256]{};
                GetKeyboardState(state);
                state[VK_SHIFT] = 0x80;
                SetKeyboardState(state);
                keyDown(target, VK_TAB);
                drain();
                state[VK_SHIFT] = 0;
                SetKeyboardState(state);
                break;
            }
            case Key::Enter:
                keyDown(target, VK_RETURN);
                break;
            case Key::Escape:
                keyDown(target, VK_ESCAPE);
                break;
            case Key::Space:
                keyDown(target, VK_SPACE);
                break;
            case Key::Down:
                keyDown(target, VK_DOWN);
                break;
            case Key::End:
                keyDown(target, VK_END);
                break;
            case Key::AltG:
                altKey(target, L'g');
                break;
            case Key::AltX:
                altKey(target, L'x');
                break;
        }
        drain();
    }
    void type(std::string_view text) override {
        HWND target = GetFocus();
        for (const wchar_t c : wide(text)) {
            PostMessageW(target, WM_CHAR, c, 1);
        }
        drain();
    }
    void click(std::string_view control) override {
        HWND target = form_.control(control);
        RECT r{};
        GetClientRect(target, &r);
        const LPARAM centre = MAKELPARAM(r.right / 2, r.bottom / 2);
        PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        PostMessageW(target, WM_LBUTTONUP, 0, centre);
    }
    void setChecked(bool checked) override {
        SendMessageW(form_.control("Check1"), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED,
                     0);
    }
    void closeBox() override { PostMessageW(form_.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }
    // As the system tells a window that has moved to a screen of that dpi.
    void changeScale(double ratio) override {
        changeDpi(static_cast<int>(std::lround(96 * ratio)));
        drain();
    }

    // Input arrives as posted messages and nothing presses a button later:
    // what the input started has run once the queue is empty.
    bool settle() override {
        drain();
        return HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0;
    }
    bool waitFor(const std::function<bool()>& done) override {
        const ULONGLONG deadline = GetTickCount64() + 10000;
        for (;;) {
            drain();
            if (done()) {
                return true;
            }
            if (GetTickCount64() > deadline) {
                return false;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    void every(int milliseconds, std::function<void()> tick) override {
        tick_ = std::move(tick);
        SetTimer(timers_, kTickTimer, static_cast<UINT>(milliseconds), nullptr);
    }
    void stopTicks() override { KillTimer(timers_, kTickTimer); }
    int runProgram(std::function<void()> first) override {
        first_ = std::move(first);
        SetTimer(timers_, kFirstTimer, 0, nullptr);
        SetTimer(timers_, kFailsafeTimer, 60000, nullptr);  // fails instead of hanging
        const int status = form_.run();
        KillTimer(timers_, kFailsafeTimer);
        return status;
    }

  private:
    static LRESULT CALLBACK timerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* driver = reinterpret_cast<Win32Driver*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message != WM_TIMER || driver == nullptr) {
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        switch (wParam) {
            case kTickTimer:
                driver->tick_();
                break;
            case kFirstTimer:
                KillTimer(hwnd, kFirstTimer);
                driver->first_();
                break;
            default:
                PostQuitMessage(1);
                break;
        }
        return 0;
    }

    // Handles every message waiting, as the program's event loop would.
    void drain() {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            form_.dispatch(message);
        }
    }

    static void keyDown(HWND target, UINT key) {
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    }
    static void altKey(HWND target, wchar_t letter) {
        constexpr LPARAM kAltDown = 0x20000001;
        PostMessageW(target, WM_SYSCHAR, letter, kAltDown);
    }

    void changeDpi(int dpi) {
        RECT frame{0, 0, layout::devicePixels(layout::kClientWidth, dpi),
                   layout::devicePixels(layout::kClientHeight, dpi)};
        AdjustWindowRectExForDpi(&frame,
                                 static_cast<DWORD>(GetWindowLongW(form_.hwnd(), GWL_STYLE)), FALSE,
                                 0, static_cast<UINT>(dpi));
        RECT now{};
        GetWindowRect(form_.hwnd(), &now);
        RECT suggested{now.left, now.top, now.left + frame.right - frame.left,
                       now.top + frame.bottom - frame.top};
        SendMessageW(form_.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    }

    [[nodiscard]] PixelRect logical(PixelRect device) {
        const double r = ratio();
        const auto scaled = [r](int value) { return static_cast<int>(std::lround(value / r)); };
        return {scaled(device.left), scaled(device.top), scaled(device.width),
                scaled(device.height)};
    }

    HWND timers_ = nullptr;
    std::function<void()> tick_;
    std::function<void()> first_;
};

}  // namespace

std::unique_ptr<FormDriver> startForm() {
    return std::make_unique<Win32Driver>();
}

}  // namespace aurisplot::testing
