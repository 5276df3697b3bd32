// GoogleTest for the Win32 window. The window runs at 96 dpi, or with
// --scale=F at 96 x F, as the system tells it when it moves to such a screen.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "win32_scale.h"

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    constexpr std::string_view kScaleOption = "--scale=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with(kScaleOption)) {
            aurisplot::win32::testScale() =
                std::stod(std::string(argument.substr(kScaleOption.size())));
        }
    }
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return RUN_ALL_TESTS();
}
