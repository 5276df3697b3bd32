#pragma once

#include <utility>

#include "engine/window_services.h"

namespace aurisplot {

// One statement of the Graph command, which made one window call. When the
// window refused it, the statement is abandoned and the command goes on with
// the next one; whatever the statement would have assigned keeps the value it
// had. Returns whether the command goes on: false once the call ended it.
[[nodiscard]] inline bool resumeNext(Outcome outcome) {
    return outcome != Outcome::Ended;
}

// A statement that uses what the window answered: `use(value)` runs only when
// the call was done.
template <typename Value, typename Use>
[[nodiscard]] bool resumeNext(const Answer<Value>& answer, Use&& use) {
    if (answer.outcome == Outcome::Done) {
        std::forward<Use>(use)(answer.value);
    }
    return resumeNext(answer.outcome);
}

}  // namespace aurisplot
