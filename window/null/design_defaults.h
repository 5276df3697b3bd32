#pragma once

// The state a started window has by its design, for the windows that stand
// in for it: what they hold at start is what the real one shows.

#include <array>
#include <string>
#include <vector>

#include "engine/resolution.h"
#include "window/form_layout.h"

namespace aurisplot {

// Text1 to Text4 as the design fills them.
[[nodiscard]] inline std::array<std::string, 4> designTexts() {
    return {std::string(layout::control("Text1").caption),
            std::string(layout::control("Text2").caption),
            std::string(layout::control("Text3").caption),
            std::string(layout::control("Text4").caption)};
}

// The resolution list as start-up fills it.
[[nodiscard]] inline std::vector<std::string> resolutionTexts() {
    std::vector<std::string> texts;
    texts.reserve(kResolutions.size());
    for (const Resolution& entry : kResolutions) {
        texts.emplace_back(entry.text);
    }
    return texts;
}

// The surface's designed interior, in twips, as its scale reports it.
inline constexpr float kInteriorWidth =
    static_cast<float>(layout::kPictureInterior.width * layout::kTwipsPerPixel);
inline constexpr float kInteriorHeight =
    static_cast<float>(layout::kPictureInterior.height * layout::kTwipsPerPixel);

}  // namespace aurisplot
