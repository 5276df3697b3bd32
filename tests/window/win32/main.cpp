// GoogleTest for the Win32 window. The window runs at 96 dpi, or with
// --scale=F at 96 x F, as the system tells it when it moves to such a screen
// (the driver reads the option from the command line).

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return RUN_ALL_TESTS();
}
