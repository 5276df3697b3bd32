// The program's entry point on a web page: builds Form1 on the page and runs
// the page's event loop until the user ends the program.

#include <exception>
#include <string>

#include "window/web/main_window.h"

int main() {
    bool running = false;
    try {
        aurisplot::web::Form1 form;
        form.core().Form_Load();
        form.show();
        running = true;
        form.run();
    } catch (const std::exception& error) {
        // Form_Load has no error handling of its own, and nothing else may end
        // the program unseen: the page says what stopped it.
        aurisplot::web::stopped(std::string(running ? "Aurisplot stopped because of an error: "
                                                    : "Aurisplot could not start: ") +
                                error.what() + ".");
        return 1;
    }
    return 0;
}
