// The program's entry points on a web page: main builds Form1 on the page and
// hands it to the page, which then turns the program's event loop, one turn
// per task, until the user ends the program.

#include <emscripten.h>

#include <exception>
#include <memory>
#include <string>

#include "window/web/main_window.h"

namespace {

// Nothing may end the program unseen: the page says what stopped it.
void stopped(const std::string& why, const std::exception_ptr& error) {
    std::string what = "an unknown failure";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& failure) {
        what = failure.what();
    } catch (...) {  // NOLINT(bugprone-empty-catch): said as an unknown failure
    }
    aurisplot::web::stopped(why + what + ".");
}

}  // namespace

// One turn of the event loop, for the page's task: Form1::Turn as a number.
// The form is the page's to turn until this says the program has ended; it
// is gone then.
extern "C" EMSCRIPTEN_KEEPALIVE int aurisplot_turn(aurisplot::web::Form1* form) {
    using Turn = aurisplot::web::Form1::Turn;
    std::unique_ptr<aurisplot::web::Form1> owned(form);
    try {
        const Turn turn = owned->turn();
        if (turn != Turn::Ended) {
            static_cast<void>(owned.release());  // still the page's
        }
        return static_cast<int>(turn);
    } catch (...) {
        stopped("Aurisplot stopped because of an error: ", std::current_exception());
        return static_cast<int>(Turn::Ended);
    }
}

int main() {
    try {
        auto form = std::make_unique<aurisplot::web::Form1>();
        // Form_Load has no error handling of its own: a failure stops the start.
        form->core().Form_Load();
        form->show();
        aurisplot::web::run(std::move(form));
    } catch (...) {
        stopped("Aurisplot could not start: ", std::current_exception());
        return 1;
    }
    return 0;
}
