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

// Each step returns whether the command goes on.

[[nodiscard]] bool setCommand1Enabled(WindowServices& window, bool enabled) {
    return resumeNext(window.setCommand1Enabled(enabled));
}

[[nodiscard]] bool readPlotSize(WindowServices& window, GraphInputs& in) {
    return resumeNext(window.scaleWidth(), [&](float width) { in.plotWidth = width; }) &&
           resumeNext(window.scaleHeight(), [&](float height) { in.plotHeight = height; });
}

// A field whose number cannot be represented leaves the value as it was.
template <typename Normalise>
[[nodiscard]] bool readField(WindowServices& window, TextField field, double& value,
                             Normalise normalise) {
    return resumeNext(window.text(field), [&](const std::string& text) {
        if (const auto number = parse(text)) {
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
[[nodiscard]] bool writeField(WindowServices& window, TextField field, double value) {
    return resumeNext(window.setText(field, format(value)));
}

[[nodiscard]] bool readPowerAndGain(WindowServices& window, GraphInputs& in) {
    return readField(window, TextField::Text1, in.sourcePowerW, magnitude) &&
           readField(window, TextField::Text2, in.gainDb, magnitude);
}

[[nodiscard]] bool writePowerAndGain(WindowServices& window, const GraphInputs& in) {
    return writeField(window, TextField::Text1, in.sourcePowerW) &&
           writeField(window, TextField::Text2, in.gainDb);
}

[[nodiscard]] bool readFullScales(WindowServices& window, GraphInputs& in) {
    return readField(window, TextField::Text3, in.densityFullScale, wholeMagnitude) &&
           readField(window, TextField::Text4, in.distanceFullScale, wholeMagnitude);
}

void clampFullScales(GraphInputs& in) {
    in.distanceFullScale = std::max(in.distanceFullScale, 1.0);
    in.densityFullScale = std::max(in.densityFullScale, 1.0);
}

[[nodiscard]] bool writeFullScales(WindowServices& window, const GraphInputs& in) {
    return writeField(window, TextField::Text3, in.densityFullScale) &&
           writeField(window, TextField::Text4, in.distanceFullScale);
}

// Too large a gain saturates to an infinite factor rather than failing.
void convertGain(GraphInputs& in) {
    in.gainFactor = std::pow(10.0, in.gainDb / 10);
}

[[nodiscard]] bool chooseStep(WindowServices& window, GraphInputs& in) {
    return resumeNext(window.comboText(), [&](const std::string& resolution) {
        in.distanceStep = stepForResolution(resolution);
    });
}

[[nodiscard]] bool drawGridIfWanted(WindowServices& window, GraphInputs& in) {
    return resumeNext(window.checkState(), [&](int state) { in.gridWanted = state == 1; }) &&
           (!in.gridWanted || drawGrid(window, in));
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

GraphCommand graphCommand(WindowServices& window) {
    GraphInputs in;
    // The sweep starts with the crossing not yet found: its state is its own,
    // made afresh for every command.
    const bool inputsRead = setCommand1Enabled(window, false) && resumeNext(window.clear()) &&
                            readPlotSize(window, in) && readPowerAndGain(window, in) &&
                            writePowerAndGain(window, in) && readFullScales(window, in);
    if (!inputsRead) {
        co_return std::nullopt;
    }
    clampFullScales(in);
    if (!writeFullScales(window, in)) {
        co_return std::nullopt;
    }
    convertGain(in);
    if (!drawLimitZone(window, in) || !chooseStep(window, in) || !drawGridIfWanted(window, in)) {
        co_return std::nullopt;
    }
    const Swept swept = co_await runDensitySweep(window, in);
    if (!swept.goesOn || !setCommand1Enabled(window, true)) {
        co_return std::nullopt;
    }
    co_return ChartDrawn{in, swept.belowLimitFrom};
}

std::optional<ChartDrawn> runGraphCommand(WindowServices& window) {
    return runToEnd(graphCommand(window));
}

}  // namespace aurisplot
