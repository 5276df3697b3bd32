// The program's entry point: hands control to Qt with Form1 as the start-up
// window.

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <span>
#include <string_view>

#include "window/qt/main_window.h"
#include "window/qt/own_title_bar.h"

namespace {

constexpr const char* kNoDesktop =
    "aurisplot: a graphical desktop is needed (neither DISPLAY nor WAYLAND_DISPLAY is set); "
    "to run it without one, start it as: xvfb-run aurisplot";

[[nodiscard]] bool isSet(const char* name) {
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): before any thread
    return value != nullptr && *value != '\0';
}

// Without a display and with no platform asked for (by the environment or by
// Qt's own -platform option), Qt would abort with advice that does not help.
[[nodiscard]] bool desktopReachable(std::span<char*> arguments) {
    // Qt reads its options with one dash or two.
    const bool platformAsked = std::ranges::any_of(arguments, [](const char* argument) {
        const std::string_view option(argument);
        return option == "-platform" || option == "--platform";
    });
    return platformAsked || isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") ||
           isSet("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!desktopReachable(std::span(argv, static_cast<std::size_t>(argc)))) {
        std::fprintf(stderr, "%s\n", kNoDesktop);
        return 1;
    }
    QApplication application(argc, argv);
    // One application id names the desktop entry, the icon and the AppStream
    // file, so that the desktop shows this window with its own icon.
    QApplication::setApplicationName(QStringLiteral("aurisplot"));
    QApplication::setOrganizationName(QStringLiteral("Quarnel Labs"));
    QApplication::setOrganizationDomain(QStringLiteral("quarnellabs.com"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quarnellabs.Aurisplot"));
    aurisplot::installAccessibleRoles();
    aurisplot::Form1 form;
    try {
        form.core().Form_Load();
    } catch (const std::exception& error) {
        // Form_Load has no error handling of its own: report and stop.
        std::fprintf(stderr, "aurisplot: start-up failed: %s\n", error.what());
        return 1;
    }
    // On Wayland the window draws its own title bar; see own_title_bar.h.
    if (aurisplot::wantsOwnTitleBar(QGuiApplication::platformName())) {
        aurisplot::addOwnTitleBar(form);
    }
    form.show();
    return QApplication::exec();
}
