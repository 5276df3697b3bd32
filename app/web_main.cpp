// The program's entry point on a web page: builds Form1 on the page and runs
// the page's event loop until the user ends the program.

#include <exception>

#include "window/web/main_window.h"

int main() {
    aurisplot::web::Form1 form;
    try {
        form.core().Form_Load();
    } catch (const std::exception& error) {
        // Form_Load has no error handling of its own: report and stop.
        form.reportFailure(error.what());
        return 1;
    }
    form.show();
    form.run();
    return 0;
}
