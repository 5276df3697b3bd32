#pragma once

#include <QColor>

#include "engine/window_services.h"

namespace aurisplot {

// A colour of the window services (red in the low byte) as Qt's colour.
[[nodiscard]] inline QColor qColour(Colour colour) {
    return {static_cast<int>(colour & 0xFFU), static_cast<int>((colour >> 8U) & 0xFFU),
            static_cast<int>((colour >> 16U) & 0xFFU)};
}

}  // namespace aurisplot
