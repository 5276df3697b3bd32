// The program's entry point: hands control to Qt with Form1 as the start-up
// window.

#include <QApplication>
#include <exception>
#include <iostream>

#include "window/main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // One application id names the desktop entry, the icon and the AppStream
    // file, so that the desktop shows this window with its own icon.
    QApplication::setApplicationName(QStringLiteral("aurisplot"));
    QApplication::setOrganizationName(QStringLiteral("Quarnel Labs"));
    QApplication::setOrganizationDomain(QStringLiteral("quarnellabs.com"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quarnellabs.Aurisplot"));
    aurisplot::Form1 form;
    try {
        form.Form_Load();
    } catch (const std::exception& error) {
        // Form_Load has no error handling of its own: report and stop.
        std::cerr << "aurisplot: start-up failed: " << error.what() << '\n';
        return 1;
    }
    form.show();
    return QApplication::exec();
}
