#pragma once

// The pen the engine draws with: its colours, and how the frame and the sweep
// each set it before they draw.

#include "engine/resume_next.h"
#include "engine/window_services.h"

namespace aurisplot {

inline constexpr Colour kRed = rgb(255, 0, 0);
inline constexpr Colour kBlack = rgb(0, 0, 0);
inline constexpr Colour kBlue = rgb(0, 0, 255);

// Draw mode kDrawModeCopyPen or kDrawModeMaskPen, width 1: two statements of
// the command, each abandoned alone when the window refuses it. Returns
// whether the command goes on.
[[nodiscard]] inline bool setPen(WindowServices& window, int drawMode) {
    return resumeNext(window.setDrawMode(drawMode)) && resumeNext(window.setDrawWidth(1));
}

}  // namespace aurisplot
