// A main window that cannot be made whole: nothing stays behind that answers
// through the half-made Form1.

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string_view>

#include "window/win32/main_window.h"

namespace aurisplot::testing {
namespace {

// Refuses the Exit button, as a system out of window handles would refuse
// any control.
LRESULT CALLBACK refuseExit(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* made = reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs;
        if (made->lpszName != nullptr && !IS_INTRESOURCE(made->lpszName) &&
            std::wstring_view(made->lpszName) == L"E&xit") {
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(StartFailure, AControlThatCannotBeMadeLeavesNoWindowBehind) {
    HHOOK hook = SetWindowsHookExW(WH_CBT, refuseExit, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    EXPECT_THROW(win32::Form1 form, std::runtime_error);
    UnhookWindowsHookEx(hook);
    // Left alive, the window would hand its messages to the Form1 that is gone.
    EXPECT_EQ(FindWindowW(L"AurisplotForm", nullptr), nullptr);
}

}  // namespace
}  // namespace aurisplot::testing
