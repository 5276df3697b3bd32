// GoogleTest with one QApplication for every test. Listing the tests (as CTest
// does at build time) needs no display, so it runs before Qt starts.
//
// The tests choose their platform and screens themselves, whatever the desktop
// of whoever runs them: Qt's offscreen platform, at the scale factor a test
// entry asks for with --scale=F (else 1), and none of the desktop's Qt
// settings, which would change sizes, fonts, styles or the accessibility bus.
// Beside the first screen, where windows start, two more of device pixel
// ratio 1.5 and 2 (screens.json) take a window that moves to another scale.
// With --comma-locale=DIR they run in the German locale made in DIR, whose
// decimal comma Qt hands to the C library's number conversions as it starts.

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <string_view>

#include "window/qt/main_window.h"

namespace {

constexpr std::string_view kScaleOption = "--scale=";
constexpr std::string_view kCommaLocaleOption = "--comma-locale=";

constexpr const char* kDesktopSettings[] = {
    "QT_SCALE_FACTOR",
    "QT_SCREEN_SCALE_FACTORS",
    "QT_ENABLE_HIGHDPI_SCALING",
    "QT_FONT_DPI",
    "QT_SCALE_FACTOR_ROUNDING_POLICY",
    "QT_USE_PHYSICAL_DPI",
    "QT_STYLE_OVERRIDE",
    "QT_QPA_PLATFORMTHEME",
    "QT_LINUX_ACCESSIBILITY_ALWAYS_ON",
    "QT_ACCESSIBILITY",
    "QT_QPA_FONTDIR",
    "QT_QPA_GENERIC_PLUGINS",
    "QT_IM_MODULE",
    "XDG_CURRENT_DESKTOP",
    "DESKTOP_SESSION",
    "KDE_FULL_SESSION",
};

[[nodiscard]] QByteArray bytes(std::string_view text) {
    return {text.data(), static_cast<qsizetype>(text.size())};
}

// Leaves argv without the option it takes.
void chooseOwnScreen(int& argc, char* argv[]) {
    for (const char* setting : kDesktopSettings) {
        qunsetenv(setting);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" AURISPLOT_TEST_SCREENS);
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument.starts_with(kScaleOption)) {
            argument.remove_prefix(kScaleOption.size());
            qputenv("QT_SCALE_FACTOR", bytes(argument));
        } else if (argument.starts_with(kCommaLocaleOption)) {
            argument.remove_prefix(kCommaLocaleOption.size());
            qputenv("LOCPATH", bytes(argument));
            qputenv("LC_ALL", "de_DE.UTF-8");
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
}

}  // namespace

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    chooseOwnScreen(argc, argv);
    QApplication application(argc, argv);
    aurisplot::installAccessibleRoles();
    return RUN_ALL_TESTS();
}
