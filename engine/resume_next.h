#pragma once

#include "window/window_services.h"

namespace aurisplot {

// Runs one statement of the Graph command. When a window operation inside it
// fails, the statement is abandoned and the command goes on with the next one;
// whatever the statement would have assigned keeps the value it had. Only
// window failures are swallowed: an error of the engine's own still surfaces.
template <typename Statement>
void resumeNext(Statement&& statement) {
    try {
        statement();
    } catch (const WindowServiceError&) {
        // Abandoned on purpose: the command carries on without this statement.
    }
}

}  // namespace aurisplot
