// The Graph command: read and normalise the inputs, draw the frame, sweep.

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "engine/chart_frame.h"
#include "engine/density_sweep.h"
#include "engine/graph_engine.h"
#include "engine/number_text.h"
#include "engine/resume_next.h"

namespace aurisplot {
namespace {

void setCommand1Enabled(WindowServices& window, bool enabled) {
    resumeNext([&] { window.setCommand1Enabled(enabled); });
}

void readPlotSize(WindowServices& window, GraphInputs& in) {
    resumeNext([&] { in.plotWidth = window.scaleWidth(); });
    resumeNext([&] { in.plotHeight = window.scaleHeight(); });
}

// A field whose number cannot be represented leaves the value as it was.
template <typename Normalise>
void readField(WindowServices& window, TextField field, double& value, Normalise normalise) {
    resumeNext([&] {
        if (const auto number = parse(window.text(field))) {
            value = normalise(*number);
        }
    });
}

[[nodiscard]] double magnitude(double number) {
    return std::fabs(number);
}
[[nodiscard]] double wholeMagnitude(double number) {
    return std::floor(std::fabs(number));
}

// Every field is written back, so it shows what the chart is drawn from.
void writeField(WindowServices& window, TextField field, double value) {
    resumeNext([&] { window.setText(field, format(value)); });
}

void readPowerAndGain(WindowServices& window, GraphInputs& in) {
    readField(window, TextField::Text1, in.sourcePowerW, magnitude);
    readField(window, TextField::Text2, in.gainDb, magnitude);
}

void writePowerAndGain(WindowServices& window, const GraphInputs& in) {
    writeField(window, TextField::Text1, in.sourcePowerW);
    writeField(window, TextField::Text2, in.gainDb);
}

void readFullScales(WindowServices& window, GraphInputs& in) {
    readField(window, TextField::Text3, in.densityFullScale, wholeMagnitude);
    readField(window, TextField::Text4, in.distanceFullScale, wholeMagnitude);
}

void clampFullScales(GraphInputs& in) {
    in.distanceFullScale = std::max(in.distanceFullScale, 1.0);
    in.densityFullScale = std::max(in.densityFullScale, 1.0);
}

void writeFullScales(WindowServices& window, const GraphInputs& in) {
    writeField(window, TextField::Text3, in.densityFullScale);
    writeField(window, TextField::Text4, in.distanceFullScale);
}

// Too large a gain saturates to an infinite factor rather than failing.
void convertGain(GraphInputs& in) {
    in.gainFactor = std::pow(10.0, in.gainDb / 10);
}

void chooseStep(WindowServices& window, GraphInputs& in) {
    resumeNext([&] { in.distanceStep = stepForResolution(window.comboText()); });
}

void drawGridIfWanted(WindowServices& window, GraphInputs& in) {
    resumeNext([&] { in.gridWanted = window.checkState() == 1; });
    if (in.gridWanted) {
        drawGrid(window, in);
    }
}

[[nodiscard]] std::string upperTrimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    // ASCII only: the comparison must not depend on the user's locale.
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

}  // namespace

double stepForResolution(std::string_view resolution) {
    const std::string key = upperTrimmed(resolution);
    for (const Resolution& entry : kResolutions) {
        if (key == upperTrimmed(entry.text)) {
            return entry.step;
        }
    }
    return 0;
}

ChartDrawn runGraphCommand(WindowServices& window) {
    GraphInputs in;
    setCommand1Enabled(window, false);
    resumeNext([&] { window.clear(); });
    // The sweep starts with the crossing not yet found: its state is its own,
    // made afresh for every command.
    readPlotSize(window, in);
    readPowerAndGain(window, in);
    writePowerAndGain(window, in);
    readFullScales(window, in);
    clampFullScales(in);
    writeFullScales(window, in);
    convertGain(in);
    drawLimitZone(window, in);
    chooseStep(window, in);
    drawGridIfWanted(window, in);
    const std::optional<double> belowLimitFrom = runDensitySweep(window, in);
    setCommand1Enabled(window, true);
    return {in, belowLimitFrom};
}

}  // namespace aurisplot
