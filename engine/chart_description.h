#pragma once

// The chart in words, for a screen reader.

#include <string>
#include <string_view>

#include "engine/graph_inputs.h"

namespace aurisplot {

// What is drawn before any Graph command.
inline constexpr std::string_view kNothingDrawn = "Nothing drawn yet";

// After a Graph command: the inputs it was drawn from and where the density
// stays below the exposure limit.
[[nodiscard]] std::string describeChart(const ChartDrawn& chart);

}  // namespace aurisplot
