#pragma once

// The edge between a window's event dispatch and a command it runs. Nothing
// may leave a command through the toolkit's dispatch: neither the toolkits'
// event loops nor their signal dispatch let an exception pass.

#include <exception>
#include <string>
#include <string_view>
#include <type_traits>

#include "engine/window_services.h"

namespace aurisplot {

// Runs one command of the window and returns its result, an optional that is
// empty when the command did not get to its end. What escapes the command (a
// failure of the window's beyond a refusal, memory running out) abandons it:
// the Graph button is enabled again, the window stays, and report(what) says
// what stopped it.
template <typename Command, typename Report>
[[nodiscard]] auto runCommand(WindowServices& window, Command&& command, Report&& report)
    -> std::invoke_result_t<Command> {
    std::string stopped;
    try {
        return command();
    } catch (const std::exception& error) {
        stopped = std::string("The command stopped: ") + error.what();
    } catch (...) {
        stopped = "The command stopped.";
    }
    try {
        static_cast<void>(window.setCommand1Enabled(true));
        report(std::string_view(stopped));
    } catch (...) {  // NOLINT(bugprone-empty-catch): nothing more can be done
    }
    return {};
}

}  // namespace aurisplot
