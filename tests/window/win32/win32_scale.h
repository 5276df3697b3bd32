#pragma once

namespace aurisplot::win32 {

// The scale the test program was asked to run at (--scale=F), as a screen of
// 96 x F dots per inch.
[[nodiscard]] inline double& testScale() {
    static double scale = 1.0;
    return scale;
}

}  // namespace aurisplot::win32
