// The program's entry point on Windows: hands control to the system's event
// loop with Form1 as the start-up window.

#include <windows.h>

#include <commctrl.h>

#include <exception>
#include <string>

#include "window/win32/main_window.h"
#include "window/win32/wide_text.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        aurisplot::win32::Form1 form;
        form.core().Form_Load();
        form.show();
        return form.run();
    } catch (const std::exception& error) {
        // A program without a console says what stopped it where it can be seen.
        const std::wstring message =
            L"Aurisplot cannot start: " + aurisplot::win32::wide(error.what());
        MessageBoxW(nullptr, message.c_str(), L"Aurisplot", MB_OK | MB_ICONERROR);
        return 1;
    }
}
