#pragma once

// The exposure engine: the Graph command, its inputs, the chart frame and the
// density sweep. It reaches the window only through WindowServices.

#include <optional>
#include <string>
#include <string_view>

#include "window/window_services.h"

namespace aurisplot {

inline constexpr double kPi = 3.14159;         // five decimals, as the tool has always used
inline constexpr double kMpeLimit = 5.0;       // exposure limit, mW/cm²
inline constexpr double kDensityFactor = 0.1;  // W/m² to mW/cm²
inline constexpr std::string_view kTitle = "Quarnel Labs - Aurisplot";

inline constexpr Colour kRed = rgb(255, 0, 0);
inline constexpr Colour kBlack = rgb(0, 0, 0);
inline constexpr Colour kBlue = rgb(0, 0, 255);

// The normalised inputs of one run. Every value starts empty, which counts as 0.
struct GraphInputs {
    float plotWidth = 0;           // W, surface units
    float plotHeight = 0;          // H, surface units
    double sourcePowerW = 0;       // P, watts
    double gainDb = 0;             // dBi as typed
    double gainFactor = 0;         // G = 10^(gainDb / 10)
    double densityFullScale = 0;   // V, mW/cm² at the top edge
    double distanceFullScale = 0;  // D, metres at the right edge
    double distanceStep = 0;       // metres; 0 while unset
    bool gridWanted = false;
};

// State of the sweep, created afresh by every Graph command.
struct SweepState {
    bool mpeFound = false;
    std::string mpeRangeText;
    double currentX = 0;
    double currentY = 1;
    double previousX = 0;
    double previousY = 0;
    Colour segmentColour = kBlack;
    double mpeDistance = 0;  // metres: the step at which the crossing was marked
};

// What one Graph command drew: the inputs as normalised, and the first step
// at which the density fell below the limit, if the sweep reached one.
struct ChartDrawn {
    GraphInputs inputs;
    std::optional<double> belowLimitFrom;  // metres
};

// Reads the leading number of a text: blanks, tabs and line feeds anywhere are
// skipped; a sign, digits with at most one '.', and an exponent ('E' or 'e',
// optional sign, digits) are read up to the first character that cannot
// continue the number; "&H" and "&O" start hexadecimal and octal integers
// (up to 0xFFFF a 16-bit signed value, up to 0xFFFFFFFF a 32-bit one). A text
// without a leading number gives 0. Returns nothing when the number cannot be
// represented: a decimal beyond the double range, or a hexadecimal or octal
// value beyond 32 bits.
[[nodiscard]] std::optional<double> parse(std::string_view text);

// Writes a number with at most 15 significant digits, '.' as the decimal
// separator and no '0' before it (".5"), whole numbers without a point; from a
// decimal exponent of 15 up or below -4 in exponent form ("1E+15", "1.5E-05").
[[nodiscard]] std::string format(double x);

// The value-to-surface mapping of the chart.
struct ChartMapping {
    double width;         // W
    double height;        // H
    double densityFull;   // V
    double distanceFull;  // D

    [[nodiscard]] static ChartMapping of(const GraphInputs& in) {
        return {in.plotWidth, in.plotHeight, in.densityFullScale, in.distanceFullScale};
    }
    [[nodiscard]] double x(double distance) const { return (distance / distanceFull) * width; }
    [[nodiscard]] double y(double density) const {
        return height - (density / densityFull) * height;
    }
};

// Far-field power density in mW/cm² at a distance in metres. A transmitter too
// strong to represent gives +infinity; zero power gives 0 whatever the gain.
[[nodiscard]] double powerDensity(double powerW, double gainFactor, double distance);

// The distance step named by a resolution text ("1 m", "1 cm", "1 mm", in any
// case, blanks around it ignored); 0 for any other text.
[[nodiscard]] double stepForResolution(std::string_view resolution);

// The chart frame, drawn before the curve.
void drawLimitZone(WindowServices& window, const GraphInputs& in);
void drawGrid(WindowServices& window, const GraphInputs& in);

// Walks the distance out to the right edge, draws the curve and the limit
// marker, reports progress and then the result in the title.
void runDensitySweep(WindowServices& window, const GraphInputs& in, SweepState& sweep);

// The whole Graph command, as run by a click on Command1. Returns what it drew,
// for those who describe the chart in words.
ChartDrawn runGraphCommand(WindowServices& window);

// The chart in words, for a screen reader: what is drawn before any Graph
// command, and after one the inputs it was drawn from and where the density
// stays below the exposure limit.
inline constexpr std::string_view kNothingDrawn = "Nothing drawn yet";
[[nodiscard]] std::string describeChart(const ChartDrawn& chart);

}  // namespace aurisplot
