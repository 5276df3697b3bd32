#pragma once

// The physics: the far-field power density of a transmitter and the exposure
// limit it is charted against.

namespace aurisplot {

inline constexpr double kPi = 3.14159;         // five decimals, as the tool has always used
inline constexpr double kMpeLimit = 5.0;       // exposure limit, mW/cm²
inline constexpr double kDensityFactor = 0.1;  // W/m² to mW/cm²

// Far-field power density in mW/cm² at a distance in metres. A transmitter too
// strong to represent gives +infinity; zero power gives 0 whatever the gain.
[[nodiscard]] double powerDensity(double powerW, double gainFactor, double distance) noexcept;

}  // namespace aurisplot
