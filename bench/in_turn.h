#pragma once

// Two runs of the same passes timed in turn, round after round, each at its
// best. A machine whose speed changes meanwhile (a host shared with others, a
// CPU's clock) slows both alike, so their ratio is the code's and not the
// moment's: timed one after the other, the same code read anywhere from 0.85
// to 1.56 times the engine alone here within a minute.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <utility>

namespace aurisplot::bench {

struct BestInTurn {
    double first = 0;  // microseconds a pass, at the fastest of the rounds
    double second = 0;
};

// Microseconds a pass of one run of `passes` passes.
template <typename Run>
[[nodiscard]] double microsecondsPerPass(std::int64_t passes, Run&& run) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::forward<Run>(run)();
    const std::chrono::duration<double, std::micro> took = Clock::now() - start;
    return took.count() / static_cast<double>(passes);
}

template <typename First, typename Second>
[[nodiscard]] BestInTurn bestInTurn(int rounds, std::int64_t passes, First&& first,
                                    Second&& second) {
    BestInTurn best{.first = 1e300, .second = 1e300};
    for (int round = 0; round < rounds; ++round) {
        best.first = std::min(best.first, microsecondsPerPass(passes, first));
        best.second = std::min(best.second, microsecondsPerPass(passes, second));
    }
    return best;
}

}  // namespace aurisplot::bench
