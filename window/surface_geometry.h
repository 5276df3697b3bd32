#pragma once

// How the plot surface's twips become device pixels, and which values it
// refuses, the same on every toolkit: a point lies in the device pixel that
// holds it, lines include both end points, boxes both corners, and a pen of
// width n covers the n device pixels right of and below each point it passes.

#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/window_services.h"
#include "window/form_layout.h"

namespace aurisplot::surface {

// Beyond this a coordinate has lost the precision of a pixel as a float; the
// surface refuses it, as it would refuse any out-of-range property value.
inline constexpr double kLargestDevicePixel = 1 << 24;
inline constexpr int kWidestPen = 32767;

struct DevicePoint {
    int x;
    int y;
    friend bool operator==(DevicePoint, DevicePoint) = default;
};

// The device pixel that holds `twips`, with `ratio` device pixels to a
// pixel; none for a coordinate the surface refuses.
[[nodiscard]] inline std::optional<int> devicePixel(float twips, double ratio) noexcept {
    const double pixel = std::floor(static_cast<double>(twips) * ratio / layout::kTwipsPerPixel);
    if (!(std::abs(pixel) <= kLargestDevicePixel)) {  // also refuses NaN
        return std::nullopt;
    }
    return static_cast<int>(pixel);
}

[[nodiscard]] inline std::optional<DevicePoint> devicePoint(float x, float y,
                                                            double ratio) noexcept {
    const std::optional<int> deviceX = devicePixel(x, ratio);
    const std::optional<int> deviceY = devicePixel(y, ratio);
    if (!deviceX || !deviceY) {
        return std::nullopt;
    }
    return DevicePoint{*deviceX, *deviceY};
}

[[nodiscard]] constexpr bool drawModeValid(int mode) noexcept {
    return mode == kDrawModeCopyPen || mode == kDrawModeMaskPen;
}

[[nodiscard]] constexpr bool drawWidthValid(int pixels) noexcept {
    return pixels >= 1 && pixels <= kWidestPen;
}

// Device pixels across a pen of `pixels` pixels.
[[nodiscard]] inline int penThickness(int pixels, double ratio) {
    return std::max(1, static_cast<int>(std::lround(pixels * ratio)));
}

// Device pixels across `pixels` pixels of the layout.
[[nodiscard]] inline int deviceSize(int pixels, double ratio) {
    return static_cast<int>(std::lround(pixels * ratio));
}

}  // namespace aurisplot::surface
