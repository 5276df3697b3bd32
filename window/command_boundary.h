#pragma once

// The edge between a window's event dispatch and a command it runs. Nothing
// may leave a command through the toolkit's dispatch: neither the toolkits'
// event loops nor their signal dispatch let an exception pass.

#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "window/window_services.h"

namespace aurisplot {

// Thrown out of pumpEvents() once an event has ended the program, so that
// nothing more of the running command happens. It is deliberately not a
// WindowServiceError, which the command would skip and go on after.
struct ProgramEnded {};

// Runs one command of the window and returns its result. When the program
// ends inside it, or anything else escapes it, the command is abandoned and
// nothing is returned. An abandoned command that was not ended by the program
// leaves the Graph button enabled and the window alive, and has report(what)
// say what stopped it.
template <typename Command, typename Report>
[[nodiscard]] auto runCommand(WindowServices& window, Command&& command, Report&& report)
    -> std::optional<std::invoke_result_t<Command>> {
    std::string stopped;
    try {
        return command();
    } catch (const ProgramEnded&) {
        return std::nullopt;  // the window is closing; nothing more runs
    } catch (const std::exception& error) {
        stopped = std::string("The command stopped: ") + error.what();
    } catch (...) {
        stopped = "The command stopped.";
    }
    try {
        window.setCommand1Enabled(true);
        report(std::string_view(stopped));
    } catch (...) {  // NOLINT(bugprone-empty-catch): nothing more can be done
    }
    return std::nullopt;
}

}  // namespace aurisplot
