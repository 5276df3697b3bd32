#pragma once

#include <array>
#include <string_view>

namespace aurisplot {

// An entry of the resolution list, Combo1, and the distance step it names.
struct Resolution {
    std::string_view text;
    double step;  // metres
};

// The list as the window fills it at start-up, first entry selected.
inline constexpr std::array kResolutions{
    Resolution{"1 m", 1},
    Resolution{"1 cm", 0.01},
    Resolution{"1 mm", 0.001},
};

}  // namespace aurisplot
