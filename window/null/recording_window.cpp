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
    outcomes_.insert_or_assign({std::string(operation), nth}, Outcome::Refused);
}

void RecordingWindow::endOn(std::string_view operation, int nth) {
    outcomes_.insert_or_assign({std::string(operation), nth}, Outcome::Ended);
}

void RecordingWindow::laterOn(int nth) {
    outcomes_.insert_or_assign({std::string("pumpEvents"), nth}, Outcome::Later);
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

Outcome RecordingWindow::record(std::string_view operation, const std::string& arguments) {
    const int nth = ++calls_[std::string(operation)];
    std::string line(operation);
    if (!arguments.empty()) {
        line += " " + arguments;
    }
    const auto told = outcomes_.find(std::pair{std::string(operation), nth});
    if (told == outcomes_.end()) {
        log_.push_back(std::move(line));
        return Outcome::Done;
    }
    constexpr std::array<std::string_view, 4> kHow = {"", " -> failed", " -> ended", " -> later"};
    log_.push_back(line + std::string(kHow.at(static_cast<std::size_t>(told->second))));
    return told->second;
}

Outcome RecordingWindow::clear() noexcept {
    return record("clear");
}

Answer<float> RecordingWindow::scaleWidth() noexcept {
    return answer(record("scaleWidth"), state.width);
}

Answer<float> RecordingWindow::scaleHeight() noexcept {
    return answer(record("scaleHeight"), state.height);
}

Outcome RecordingWindow::setDrawMode(int mode) noexcept {
    return record("setDrawMode", std::to_string(mode));
}

Outcome RecordingWindow::setDrawWidth(int pixels) noexcept {
    return record("setDrawWidth", std::to_string(pixels));
}

Outcome RecordingWindow::drawLine(float x1, float y1, float x2, float y2, Colour colour) noexcept {
    return record("drawLine", logged(x1) + " " + logged(y1) + " " + logged(x2) + " " + logged(y2) +
                                  " " + std::to_string(colour));
}

Outcome RecordingWindow::fillBox(float x1, float y1, float x2, float y2, Colour colour) noexcept {
    return record("fillBox", logged(x1) + " " + logged(y1) + " " + logged(x2) + " " + logged(y2) +
                                 " " + std::to_string(colour));
}

Answer<std::string_view> RecordingWindow::title() noexcept {
    return answer(record("title"), std::string_view(state.title));
}

// What the window refuses, it keeps as it was.
Outcome RecordingWindow::setTitle(const std::string& title) noexcept {
    const Outcome outcome = record("setTitle", quoted(title));
    if (outcome == Outcome::Done) {
        state.title = title;
    }
    return outcome;
}

Answer<std::string> RecordingWindow::text(TextField which) noexcept {
    return answer(record("text", fieldName(which)), field(which));
}

Outcome RecordingWindow::setText(TextField which, const std::string& text) noexcept {
    const Outcome outcome = record("setText", fieldName(which) + " " + quoted(text));
    if (outcome == Outcome::Done) {
        field(which) = text;
    }
    return outcome;
}

Answer<std::string> RecordingWindow::comboText() noexcept {
    const auto index = static_cast<std::size_t>(state.comboIndex);
    return answer(record("comboText"), state.comboIndex >= 0 && index < state.comboItems.size()
                                           ? state.comboItems[index]
                                           : std::string());
}

Outcome RecordingWindow::addComboItem(const std::string& item) noexcept {
    const Outcome outcome = record("addComboItem", quoted(item));
    if (outcome == Outcome::Done) {
        state.comboItems.push_back(item);
    }
    return outcome;
}

Outcome RecordingWindow::setComboIndex(int index) noexcept {
    const Outcome outcome = record("setComboIndex", std::to_string(index));
    if (outcome != Outcome::Done) {
        return outcome;
    }
    if (!listIndexValid(index, static_cast<int>(state.comboItems.size()))) {
        return Outcome::Refused;
    }
    state.comboIndex = index;
    return outcome;
}

Answer<int> RecordingWindow::checkState() noexcept {
    return answer(record("checkState"), state.checkState);
}

Outcome RecordingWindow::setCommand1Enabled(bool enabled) noexcept {
    const Outcome outcome = record("setCommand1Enabled", enabled ? "true" : "false");
    if (outcome == Outcome::Done) {
        state.command1Enabled = enabled;
    }
    return outcome;
}

Outcome RecordingWindow::pumpEvents() noexcept {
    return record("pumpEvents");
}

void RecordingWindow::endProgram() noexcept {
    static_cast<void>(record("endProgram"));
}

}  // namespace aurisplot::testing
