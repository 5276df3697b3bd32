// Fuzzes the reading and writing of field texts, checking properties rather
// than only the absence of crashes. Runs under AddressSanitizer, so a read
// past the end of the input is a finding too.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/number_text.h"

namespace {

void require(bool holds, const char* property, std::string_view detail) {
    if (!holds) {
        std::fprintf(stderr, "property violated: %s: [%.*s]\n", property,
                     static_cast<int>(detail.size()), detail.data());
        std::abort();
    }
}

[[nodiscard]] bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

[[nodiscard]] std::size_t significantDigits(std::string_view digits) {
    const auto first = digits.find_first_not_of("0.");
    const auto last = digits.find_last_not_of("0.");
    if (first == std::string_view::npos) {
        return 0;
    }
    std::size_t count = 0;
    for (const char c : digits.substr(first, last - first + 1)) {
        count += isDigit(c) ? 1 : 0;
    }
    return count;
}

[[nodiscard]] bool allDigits(std::string_view text) {
    for (const char c : text) {
        if (!isDigit(c)) {
            return false;
        }
    }
    return !text.empty();
}

// "1.5E+20", "1E-05": a mantissa d[.ddd] without trailing zeros, "E", a sign,
// two or three digits, and only for exponents of 15 and up or below -4.
[[nodiscard]] bool isExponentForm(std::string_view text) {
    const auto e = text.find('E');
    const std::string_view mantissa = text.substr(0, e);
    const std::string_view exponent = text.substr(e + 1);
    if (mantissa.empty() || mantissa[0] < '1' || mantissa[0] > '9' || exponent.size() < 3 ||
        exponent.size() > 4 || (exponent[0] != '+' && exponent[0] != '-') ||
        !allDigits(exponent.substr(1))) {
        return false;
    }
    if (mantissa.size() > 1 && (mantissa.size() < 3 || mantissa[1] != '.' ||
                                !allDigits(mantissa.substr(2)) || mantissa.back() == '0')) {
        return false;
    }
    const int value = std::atoi(std::string(exponent).c_str());
    return value >= 15 || value < -4;
}

// "600", "2.2", ".0001": no sign, no leading zero, no trailing zero after a
// point, below 1E+15 and not below 1E-04.
[[nodiscard]] bool isPlainForm(std::string_view text) {
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    if (point == std::string_view::npos) {
        return text == "0" || (allDigits(text) && text[0] != '0' && text.size() <= 15);
    }
    const std::string_view fraction = text.substr(point + 1);
    if (!allDigits(fraction) || fraction.back() == '0' || whole.size() > 15) {
        return false;
    }
    if (whole.empty()) {
        return fraction.find_first_not_of('0') <= 3;
    }
    return allDigits(whole) && whole[0] != '0';
}

void checkFormat(double x) {
    const std::string text = aurisplot::format(x);
    const bool exponentForm = text.find('E') != std::string::npos;
    require(exponentForm ? isExponentForm(text) : isPlainForm(text), "format's written form", text);
    require(significantDigits(exponentForm ? text.substr(0, text.find('E')) : text) <= 15,
            "at most 15 significant digits", text);
    const auto back = aurisplot::parse(text);
    require(back.has_value(), "format reads back", text);
    require(std::fabs(*back - x) <= std::fabs(x) * 1e-14, "format is within rounding", text);
    require(aurisplot::format(*back) == text, "format is idempotent through parse", text);
}

// A decimal text of at most 15 significant digits reads to a double that the
// fields write back and read again unchanged.
void checkRoundTrip(FuzzedDataProvider& data) {
    std::string text;
    const auto digitCount = data.ConsumeIntegralInRange<std::size_t>(1, 15);
    const auto pointAt = data.ConsumeIntegralInRange<std::size_t>(0, digitCount);
    for (std::size_t i = 0; i < digitCount; ++i) {
        if (i == pointAt) {
            text += '.';
        }
        text += static_cast<char>('0' + data.ConsumeIntegralInRange<int>(0, 9));
    }
    text += 'E' + std::to_string(data.ConsumeIntegralInRange<int>(-340, 320));
    const auto value = aurisplot::parse(text);
    if (!value.has_value()) {
        return;  // beyond the double range
    }
    require(aurisplot::parse(aurisplot::format(*value)) == *value, "parse(format(x)) == x", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(bytes), size);

    // Any text reads without touching memory past its end.
    const auto parsed = aurisplot::parse(input);
    if (parsed.has_value()) {
        require(std::isfinite(*parsed), "parse gives a finite value or nothing", input);
        checkFormat(std::fabs(*parsed));
    }

    // The same text many times over: a reading that is not linear in the
    // length of the text turns this into a timeout finding.
    if (size > 0) {
        std::string repeated;
        while (repeated.size() < (1U << 16)) {
            repeated.append(input);
        }
        (void)aurisplot::parse(repeated);
    }

    FuzzedDataProvider data(bytes, size);
    double x = 0;
    const auto raw = data.ConsumeIntegral<std::uint64_t>();
    std::memcpy(&x, &raw, sizeof x);
    if (std::isfinite(x)) {
        checkFormat(std::fabs(x));
    }
    checkRoundTrip(data);
    return 0;
}
