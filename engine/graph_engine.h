#pragma once

// The exposure engine's chief header: the Graph command, as a click on
// Command1 runs it, and what the window needs around it: the title every
// progress and result title is built from, and the chart in words. The
// command's parts have headers of their own: number_text.h, power_density.h,
// chart_mapping.h, chart_frame.h and density_sweep.h. The engine reaches the
// window only through WindowServices.

#include <optional>
#include <string_view>

#include "engine/chart_description.h"
#include "engine/graph_inputs.h"
#include "engine/resolution.h"
#include "engine/resumable.h"
#include "engine/window_services.h"

namespace aurisplot {

inline constexpr std::string_view kTitle = "Quarnel Labs - Aurisplot";

// The distance step named by a resolution text, an entry of kResolutions in
// any case, blanks around it ignored; 0 for any other text.
[[nodiscard]] double stepForResolution(std::string_view resolution);

// The whole Graph command. It gives what it drew, for those who describe the
// chart in words; nothing when the command was ended before its end. It stops
// at each event pump that the window answers Later, until the window resumes
// it; `window` must outlive it.
using GraphCommand = Resumable<std::optional<ChartDrawn>>;
[[nodiscard]] GraphCommand graphCommand(WindowServices& window);

// The whole Graph command, run through to its end, for a window that takes its
// events in its pumps.
std::optional<ChartDrawn> runGraphCommand(WindowServices& window);

}  // namespace aurisplot
