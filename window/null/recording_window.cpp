#include "window/null/recording_window.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <version>

namespace aurisplot::testing {

// The fewest digits that read back as the same float, in the shorter of the
// plain and the exponent form, the plain one on a tie. Where the standard
// library has no std::to_chars for floating point (emscripten's libc++), the
// same text from snprintf and strtof, whose locale there is always "C".
std::string logged(float value) {
    std::array<char, 32> buffer{};
#if defined(__cpp_lib_to_chars)
    auto* const end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return {buffer.data(), end};
#else
    for (int precision = 0; precision < 9; ++precision) {
        std::snprintf(buffer.data(), buffer.size(), "%.*e", precision, static_cast<double>(value));
        if (std::strtof(buffer.data(), nullptr) == value) {
            break;
        }
    }
    const std::string scientific(buffer.data());
    const std::size_t ePos = scientific.find('e');
    std::string digits;
    for (const char c : scientific.substr(0, ePos)) {
        if (c >= '0' && c <= '9') {
            digits.push_back(c);
        }
    }
    const int exponent = std::atoi(scientific.c_str() + ePos + 1);
    std::string plain = scientific.front() == '-' ? "-" : "";
    if (exponent < 0) {
        plain.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    } else if (digits.size() <= static_cast<std::size_t>(exponent) + 1) {
        // A whole number has all its exact digits, as %f writes them.
        std::snprintf(buffer.data(), buffer.size(), "%.0f", static_cast<double>(value));
        plain = buffer.data();
    } else {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        plain.append(digits, 0, integerDigits).append(1, '.').append(digits, integerDigits);
    }
    return plain.size() <= scientific.size() ? plain : scientific;
#endif
}

std::string quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out.append(1, '"').append(text).append(1, '"');
    return out;
}

std::string fieldName(TextField which) {
    return "Text" + std::to_string(static_cast<int>(which) + 1);
}

void RecordingWindow::failOn(std::string_view operation, int nth) {
    failures_.emplace(std::string(operation), nth);
}

std::vector<std::string> RecordingWindow::linesOf(std::string_view operation) const {
    std::vector<std::string> lines;
    for (const auto& line : log_) {
        if (line.substr(0, line.find(' ')) == operation) {
            lines.push_back(line);
        }
    }
    return lines;
}

int RecordingWindow::callCount(std::string_view operation) const {
    const auto found = calls_.find(operation);
    return found == calls_.end() ? 0 : found->second;
}

std::string& RecordingWindow::field(TextField which) {
    return state.texts.at(static_cast<std::size_t>(which));
}

void RecordingWindow::record(std::string_view operation, const std::string& arguments) {
    const int nth = ++calls_[std::string(operation)];
    std::string line(operation);
    if (!arguments.empty()) {
        line += " " + arguments;
    }
    if (failures_.contains({std::string(operation), nth})) {
        log_.push_back(line + " -> failed");
        throw WindowServiceError(line);
    }
    log_.push_back(std::move(line));
}

void RecordingWindow::clear() {
    record("clear");
}

float RecordingWindow::scaleWidth() {
    record("scaleWidth");
    return state.width;
}

float RecordingWindow::scaleHeight() {
    record("scaleHeight");
    return state.height;
}

void RecordingWindow::setDrawMode(int mode) {
    record("setDrawMode", std::to_string(mode));
}

void RecordingWindow::setDrawWidth(int pixels) {
    record("setDrawWidth", std::to_string(pixels));
}

void RecordingWindow::drawLine(float x1, float y1, float x2, float y2, Colour colour) {
    record("drawLine", logged(x1) + " " + logged(y1) + " " + logged(x2) + " " + logged(y2) + " " +
                           std::to_string(colour));
}

void RecordingWindow::fillBox(float x1, float y1, float x2, float y2, Colour colour) {
    record("fillBox", logged(x1) + " " + logged(y1) + " " + logged(x2) + " " + logged(y2) + " " +
                          std::to_string(colour));
}

std::string_view RecordingWindow::title() {
    record("title");
    return state.title;
}

void RecordingWindow::setTitle(const std::string& title) {
    record("setTitle", quoted(title));
    state.title = title;
}

std::string RecordingWindow::text(TextField which) {
    record("text", fieldName(which));
    return field(which);
}

void RecordingWindow::setText(TextField which, const std::string& text) {
    record("setText", fieldName(which) + " " + quoted(text));
    field(which) = text;
}

std::string RecordingWindow::comboText() {
    record("comboText");
    const auto index = static_cast<std::size_t>(state.comboIndex);
    return state.comboIndex >= 0 && index < state.comboItems.size() ? state.comboItems[index] : "";
}

void RecordingWindow::addComboItem(const std::string& item) {
    record("addComboItem", quoted(item));
    state.comboItems.push_back(item);
}

void RecordingWindow::setComboIndex(int index) {
    record("setComboIndex", std::to_string(index));
    if (!listIndexValid(index, static_cast<int>(state.comboItems.size()))) {
        throw WindowServiceError("list index out of range");
    }
    state.comboIndex = index;
}

int RecordingWindow::checkState() {
    record("checkState");
    return state.checkState;
}

void RecordingWindow::setCommand1Enabled(bool enabled) {
    record("setCommand1Enabled", enabled ? "true" : "false");
    state.command1Enabled = enabled;
}

void RecordingWindow::pumpEvents() {
    record("pumpEvents");
}

void RecordingWindow::endProgram() {
    record("endProgram");
}

}  // namespace aurisplot::testing
