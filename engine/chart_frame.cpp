// The chart frame: the red zone above the exposure limit and the optional grid.

#include <algorithm>

#include "engine/chart_frame.h"
#include "engine/chart_mapping.h"
#include "engine/pen.h"
#include "engine/power_density.h"
#include "engine/resume_next.h"
#include "engine/stepping.h"

namespace aurisplot {
namespace {

// Grid lines closer than one surface unit fall on the pixels their neighbours
// already cover; drawing them once per unit keeps the picture and bounds the
// lines by the surface size instead of by the full scale.
[[nodiscard]] double gridSpacing(double extent, double fullScale) {
    return std::max(extent / fullScale, 1.0);
}

}  // namespace

bool drawLimitZone(WindowServices& window, const GraphInputs& in) {
    if (!setPen(window, kDrawModeMaskPen)) {
        return false;
    }
    const double yLimit = ChartMapping::of(in).y(kMpeLimit);
    // Below 1 the limit lies at or above the top of the chart: no zone.
    if (yLimit < 1) {
        return true;
    }
    // Mask pen: white turns red, other colours keep their red component, so
    // the background picture shows through the zone.
    return resumeNext(window.fillBox(1, static_cast<float>(yLimit), in.plotWidth, 1, kRed));
}

bool drawGrid(WindowServices& window, const GraphInputs& in) {
    if (!setPen(window, kDrawModeCopyPen)) {
        return false;
    }
    const auto width = static_cast<double>(in.plotWidth);
    const auto height = static_cast<double>(in.plotHeight);
    return forEachStep(1, gridSpacing(width, in.distanceFullScale), width,
                       [&](double gx) {
                           const auto x = static_cast<float>(gx);
                           return resumeNext(window.drawLine(x, 1, x, in.plotHeight, kBlack));
                       }) &&
           forEachStep(1, gridSpacing(height, in.densityFullScale), height, [&](double gy) {
               const auto y = static_cast<float>(gy);
               return resumeNext(window.drawLine(1, y, in.plotWidth, y, kBlack));
           });
}

}  // namespace aurisplot
