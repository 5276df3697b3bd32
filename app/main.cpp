// The program's entry point: hands control to Qt with Form1 as the start-up
// window.

#include <QApplication>
#include <exception>
#include <iostream>

#include "window/main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
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
