#include "window/win32/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "engine/graph_engine.h"
#include "window/surface_geometry.h"
#include "window/win32/named_accessible.h"
#include "window/win32/report.h"
#include "window/win32/resource_ids.h"
#include "window/win32/wide_text.h"

namespace aurisplot::win32 {
namespace {

constexpr const wchar_t* kClassName = L"AurisplotForm";
// Control ids stay clear of IDOK and IDCANCEL, which the dialog keys send.
constexpr int kFirstControlId = 100;
// A title bar with the boxes the design's frame has; the system menu holds
// the close box.
[[nodiscard]] constexpr DWORD frameStyle(const layout::Frame& frame) {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
    style |= frame.closeBox ? WS_SYSMENU : 0;
    style |= frame.minimiseBox ? WS_MINIMIZEBOX : 0;
    style |= frame.maximiseBox ? WS_MAXIMIZEBOX : 0;
    style |= frame.resizable ? WS_THICKFRAME : 0;
    return style;
}

constexpr DWORD kFrameStyle = frameStyle(layout::kFrame);

[[nodiscard]] int controlId(std::size_t index) {
    return kFirstControlId + static_cast<int>(index);
}

// Every control answers screen readers with the name the design gives it, and
// a field with its unit as its description, as on every window. Everything
// else is the system's standard object.
LRESULT CALLBACK namedControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR design) {
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        const auto* named = reinterpret_cast<const layout::Control*>(design);
        const layout::LabelTie* unit = layout::unitOf(named->name);
        return namedAccessibleObject(
            control, wParam, wide(named->accessibleName),
            unit != nullptr ? wide(layout::control(unit->label).caption) : std::wstring());
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, namedControl, id);
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD extendedStyle;
};

[[nodiscard]] ControlClass classOf(layout::Kind kind) {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    switch (kind) {
        case layout::Kind::PushButton:
            return {L"BUTTON", child | WS_TABSTOP | BS_OWNERDRAW, 0};
        case layout::Kind::TextField:
            return {L"EDIT", child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case layout::Kind::Label:
            return {L"STATIC", child | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
        case layout::Kind::DropDownList:
            return {L"COMBOBOX", child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
        case layout::Kind::CheckBox:
            return {L"BUTTON", child | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
        case layout::Kind::PlotSurface:
            break;
    }
    throw std::logic_error("the plot surface is a window of its own");
}

void registerClass() {
    WNDCLASSEXW formClass{};
    formClass.cbSize = sizeof formClass;
    formClass.lpfnWndProc = DefWindowProcW;  // replaced once the window knows its owner
    formClass.hInstance = GetModuleHandleW(nullptr);
    // Shared icons belong to the system, however often a window asks for them.
    formClass.hIcon =
        static_cast<HICON>(LoadImageW(formClass.hInstance, MAKEINTRESOURCEW(IDI_AURISPLOT),
                                      IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    formClass.hIconSm = static_cast<HICON>(
        LoadImageW(formClass.hInstance, MAKEINTRESOURCEW(IDI_AURISPLOT), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    formClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    formClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    formClass.lpszClassName = kClassName;
    RegisterClassExW(&formClass);  // a second registration fails harmlessly
}

[[nodiscard]] RECT frameFor(int dpi) {
    RECT frame{0, 0, layout::devicePixels(layout::kClientWidth, dpi),
               layout::devicePixels(layout::kClientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, kFrameStyle, FALSE, 0, static_cast<UINT>(dpi));
    return frame;
}

// The main window, hidden, at the system's dpi; its procedure is set once
// its Form1 is there to answer.
[[nodiscard]] HWND makeWindow() {
    registerClass();
    const RECT frame = frameFor(static_cast<int>(GetDpiForSystem()));
    HWND window = CreateWindowExW(0, kClassName, wide(kTitle).c_str(), kFrameStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) {
        throw std::runtime_error("the main window cannot be made");
    }
    return window;
}

}  // namespace

std::wstring listEntry(HWND list, LRESULT index) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) {
        throw WindowServiceError("no such list entry");
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

namespace {

[[nodiscard]] std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

Form1::Form1()
    : hwnd_(makeWindow()),
      black_(CreateSolidBrush(layout::kFormBackground)),
      white_(CreateSolidBrush(layout::kWhite)),
      picture1_(std::make_unique<PlotSurface>(hwnd_, controlId(layout::indexOf("Picture1")))),
      core_(*this, picture1_->canvas()) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form1::procedure));
    // Made only partly, this Form1 is never destroyed as a whole: its window
    // must not answer through it, from the loop of the message box that says
    // what failed or from any other.
    try {
        makeControls();
        layOut(static_cast<int>(GetDpiForWindow(hwnd_)));
        fitClientArea();
    } catch (...) {
        release();
        throw;
    }
}

// The window lives as long as its Form1: when the program ends it is only
// hidden, until its owner lets it go.
Form1::~Form1() {
    release();
}

void Form1::release() noexcept {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
    DestroyWindow(hwnd_);
}

// In the design's tab order, each caption made just before the control it
// names: screen readers name a field by the label made before it.
void Form1::makeControls() {
    for (std::size_t i = 0; i < layout::kControls.size(); ++i) {
        const layout::Control& design = layout::kControls[i];
        if (design.kind == layout::Kind::Label && layout::isCaption(design.name)) {
            continue;
        }
        if (const layout::LabelTie* caption = layout::captionOf(design.name)) {
            const std::size_t label = layout::indexOf(caption->label);
            const ControlClass kind = classOf(layout::Kind::Label);
            controls_[label] = CreateWindowExW(
                kind.extendedStyle, kind.name, wide(layout::kControls[label].caption).c_str(),
                kind.style, 0, 0, 0, 0, hwnd_,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(label))),
                GetModuleHandleW(nullptr), nullptr);
        }
        if (design.kind == layout::Kind::PlotSurface) {
            controls_[i] = picture1_->hwnd();  // made first, as the first in the tab order
            continue;
        }
        const ControlClass kind = classOf(design.kind);
        controls_[i] = CreateWindowExW(kind.extendedStyle, kind.name, wide(design.caption).c_str(),
                                       kind.style, 0, 0, 0, 0, hwnd_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(i))),
                                       GetModuleHandleW(nullptr), nullptr);
        if (design.kind == layout::Kind::TextField) {
            SendMessageW(controls_[i], EM_SETLIMITTEXT, 0, 0);  // no length limit
        }
        if (design.kind != layout::Kind::Label && controls_[i] != nullptr) {
            SetWindowSubclass(controls_[i], namedControl, 0, reinterpret_cast<DWORD_PTR>(&design));
        }
    }
    if (std::ranges::find(controls_, nullptr) != controls_.end()) {
        throw std::runtime_error("a control of the main window cannot be made");
    }
}

// Every control at its design place, in pixels of `dpi`, with the font at
// that dpi; the plot surface makes its picture at that dpi.
void Form1::layOut(int dpi) {
    dpi_ = dpi;
    // The old font goes only once no control uses it any more.
    Font font(CreateFontW(-MulDiv(layout::kFont.points, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                          FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                          wide(layout::kFont.face).c_str()));
    for (std::size_t i = 0; i < layout::kControls.size(); ++i) {
        const layout::Control& design = layout::kControls[i];
        if (design.kind == layout::Kind::PlotSurface) {
            picture1_->place(design.place, dpi);
            core_.scaleChanged(dpi / 96.0);
            continue;
        }
        const int left = layout::devicePixels(design.place.left, dpi);
        const int top = layout::devicePixels(design.place.top, dpi);
        const int width = layout::devicePixels(design.place.width, dpi);
        const int height = layout::devicePixels(design.place.height, dpi);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        if (design.kind == layout::Kind::DropDownList) {
            // The height given is the list's when dropped; the closed box is
            // its edges around the selection field.
            const int edges = GetSystemMetricsForDpi(SM_CYEDGE, static_cast<UINT>(dpi)) * 3;
            SendMessageW(controls_[i], CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                         std::max(height - edges, 1));
            SetWindowPos(controls_[i], nullptr, left, top, width, height * 6,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        SetWindowPos(controls_[i], nullptr, left, top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    font_ = std::move(font);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// The client area at the design's size, whatever frame the system draws
// around it: a frame need not grow with the dpi as the system's metrics say.
void Form1::fitClientArea() {
    RECT window{};
    RECT client{};
    GetWindowRect(hwnd_, &window);
    GetClientRect(hwnd_, &client);
    const int width = layout::devicePixels(layout::kClientWidth, dpi_);
    const int height = layout::devicePixels(layout::kClientHeight, dpi_);
    if (client.right != width || client.bottom != height) {
        SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left - client.right + width,
                     window.bottom - window.top - client.bottom + height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

HWND Form1::control(std::string_view name) const {
    return controls_.at(layout::indexOf(name));
}

void Form1::show() {
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    core_.shown();
}

void Form1::dispatch(MSG& message) {
    if (IsDialogMessageW(hwnd_, &message) == FALSE) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int Form1::run() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        dispatch(message);
    }
    return static_cast<int>(message.wParam);
}

// The form core's primitives.

std::string Form1::text(std::string_view name) {
    if (layout::control(name).kind == layout::Kind::DropDownList) {
        const LRESULT index = SendMessageW(control(name), CB_GETCURSEL, 0, 0);
        return index == CB_ERR ? std::string() : narrow(listEntry(control(name), index));
    }
    return narrow(windowText(control(name)));
}

void Form1::setText(std::string_view name, std::string_view text) {
    if (SetWindowTextW(control(name), wide(text).c_str()) == FALSE) {
        throw WindowServiceError("the field refuses the text");
    }
}

void Form1::addItem(std::string_view name, std::string_view item) {
    const LRESULT added =
        SendMessageW(control(name), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
    if (added == CB_ERR || added == CB_ERRSPACE) {
        throw WindowServiceError("the list refuses the entry");
    }
}

int Form1::itemCount(std::string_view name) {
    return static_cast<int>(SendMessageW(control(name), CB_GETCOUNT, 0, 0));
}

void Form1::select(std::string_view name, int index) {
    SendMessageW(control(name), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Form1::checkState(std::string_view name) {
    switch (SendMessageW(control(name), BM_GETCHECK, 0, 0)) {
        case BST_CHECKED:
            return 1;
        case BST_INDETERMINATE:
            return 2;
        default:
            return 0;
    }
}

bool Form1::enabled(std::string_view name) {
    return IsWindowEnabled(control(name)) != FALSE;
}

void Form1::enable(std::string_view name, bool enabled) {
    EnableWindow(control(name), enabled ? TRUE : FALSE);
}

std::string Form1::focused() {
    HWND focus = GetFocus();
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i] == focus) {
            return std::string(layout::kControls[i].name);
        }
    }
    return {};
}

void Form1::focus(std::string_view name) {
    SetFocus(control(name));
}

void Form1::showTitle(std::string_view title) {
    SetWindowTextW(hwnd_, wide(title).c_str());
}

bool Form1::turnEventLoop() {
    MSG message{};
    while (!core_.ending() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
            core_.closing();
            break;
        }
        dispatch(message);
    }
    return true;
}

// The program ends with status 0: the window goes from the screen at once,
// and the event loop ends at the quit message.
void Form1::closeWindow() {
    ShowWindow(hwnd_, SW_HIDE);
    PostQuitMessage(0);
}

void Form1::describeChart(std::string_view description) {
    picture1_->setDescription(wide(description));
}

void Form1::reportFailure(std::string_view what) {
    win32::reportFailure(wide(what));
}

// The window itself.

LRESULT CALLBACK Form1::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    try {
        return form->handle(hwnd, message, wParam, lParam);
    } catch (...) {
        // Nothing may cross the system's dispatch; the message counts as handled.
        reportDiagnostic(L"the main window could not handle a message");
        return 0;
    }
}

LRESULT Form1::handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                const HWND from = reinterpret_cast<HWND>(lParam);
                const auto made = std::ranges::find(controls_, from);
                if (from != nullptr && made != controls_.end()) {
                    core_.clicked(
                        layout::kControls[static_cast<std::size_t>(made - controls_.begin())].name);
                }
            }
            return 0;  // Enter and Esc (IDOK, IDCANCEL) do nothing
        case WM_DRAWITEM:
            drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return colour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_PAINT:
            paintLines();
            return 0;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            layOut(HIWORD(wParam));
            fitClientArea();
            return 0;
        }
        case WM_CLOSE:
            core_.closeRequested();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The static decoration: each line's pixels from one end point to the other,
// one pixel wide at 96 dpi and as wide as a pen at any other.
void Form1::paintLines() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    const int width = surface::penThickness(1, dpi_ / 96.0);
    for (const layout::LineShape& shape : layout::kLines) {
        const Brush brush(CreateSolidBrush(shape.colour));
        layout::forEachSegmentRect(shape, dpi_, width, [&](const layout::DeviceRect& pixels) {
            const RECT rect{pixels.left, pixels.top, pixels.right, pixels.bottom};
            FillRect(dc, &rect, brush.get());
        });
    }
    EndPaint(hwnd_, &paint);
}

// Buttons: a white face inside raised edges, sunken while pressed, the
// caption with its access key underlined, greyed while disabled.
void Form1::drawButton(const DRAWITEMSTRUCT& item) {
    RECT face = item.rcItem;
    FillRect(item.hDC, &face, white_.get());
    DrawEdge(item.hDC, &face, (item.itemState & ODS_SELECTED) != 0 ? EDGE_SUNKEN : EDGE_RAISED,
             BF_RECT | BF_ADJUST);
    const std::wstring caption = windowText(item.hwndItem);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor((item.itemState & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT
                                                                            : COLOR_BTNTEXT));
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if ((item.itemState & ODS_NOACCEL) != 0) {
        format |= DT_HIDEPREFIX;
    }
    DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &face, format);
    if ((item.itemState & ODS_FOCUS) != 0) {
        InflateRect(&face, -2, -2);
        DrawFocusRect(item.hDC, &face);
    }
}

// Text3 and Text4 are green on black, as the axis numbers; the labels and the
// check box green on the black window; the other fields keep the platform's.
LRESULT Form1::colour(UINT message, HDC dc, HWND control) {
    const auto index = static_cast<std::size_t>(GetDlgCtrlID(control) - kFirstControlId);
    if (index < layout::kControls.size()) {
        const layout::LookColours colours = layout::coloursOf(layout::kControls[index].look);
        // A label's ground is the black window's, which shows through it.
        if (colours.text) {
            SetTextColor(dc, *colours.text);
            SetBkColor(dc, colours.ground.value_or(layout::kFormBackground));
            return reinterpret_cast<LRESULT>(black_.get());
        }
    }
    return DefWindowProcW(hwnd_, message, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
}

}  // namespace aurisplot::win32
