#pragma once

#include <cstddef>

namespace aurisplot::testing {

// How many heap allocations this process has made so far: every malloc,
// calloc and realloc, and so every operator new and every Qt container.
[[nodiscard]] std::size_t heapAllocations();

}  // namespace aurisplot::testing
