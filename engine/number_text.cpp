// The one pair of rules by which the input fields are read and written back.

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <version>

#include "engine/number_text.h"

namespace aurisplot {
namespace {

// Walks a text with blanks, tabs and line feeds skipped wherever they stand.
class NumberScanner {
  public:
    explicit NumberScanner(std::string_view text) : text_(text) {}

    [[nodiscard]] char peek() {
        while (pos_ < text_.size() && isBlank(text_[pos_])) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void advance() { ++pos_; }
    [[nodiscard]] bool take(char wanted) {
        if (peek() != wanted) {
            return false;
        }
        advance();
        return true;
    }
    [[nodiscard]] bool takeEither(char upper, char lower) { return take(upper) || take(lower); }

  private:
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

    std::string_view text_;
    std::size_t pos_ = 0;
};

[[nodiscard]] bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

[[nodiscard]] int digitValue(char c, int radix) {
    int value = radix;  // not a digit of this radix
    if (isDigit(c)) {
        value = c - '0';
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    }
    return value < radix ? value : -1;
}

// "&H" and "&O" integers: up to 16 bits they are read as a 16-bit signed
// value, up to 32 bits as a 32-bit one, so "&HFFFF" is -1.
[[nodiscard]] std::optional<double> parseRadixInteger(NumberScanner& scan, int radix) {
    constexpr std::uint64_t kMax32 = 0xFFFF'FFFFULL;
    std::uint64_t value = 0;
    for (int digit = digitValue(scan.peek(), radix); digit >= 0;
         digit = digitValue(scan.peek(), radix)) {
        value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
        if (value > kMax32) {
            return std::nullopt;
        }
        scan.advance();
    }
    if (value <= 0xFFFFULL) {
        return static_cast<double>(static_cast<std::int16_t>(value));
    }
    return static_cast<double>(static_cast<std::int32_t>(value));
}

// The conversions of a double from and to decimal text: std::from_chars and
// std::to_chars where the standard library has them for floating point;
// elsewhere (emscripten's libc++) strtod and snprintf, whose locale there is
// always "C". Both give the same bits and the same digits.

// Reads "DIGITSeEXPONENT" (digits without leading zeros); false when the value
// rounds to zero or to infinity. A subnormal result is kept.
[[nodiscard]] bool readScientific(const std::string& text, double& value) {
#if defined(__cpp_lib_to_chars)
    return std::from_chars(text.data(), text.data() + text.size(), value).ec !=
           std::errc::result_out_of_range;
#else
    // strtod flags subnormal results too, which from_chars keeps.
    value = std::strtod(text.c_str(), nullptr);
    return value != 0 && !std::isinf(value);
#endif
}

// Writes a positive finite number as "d.ddddddddddddddde+XX", 15 significant digits.
[[nodiscard]] std::string_view writeScientific(double positive, std::array<char, 32>& buffer) {
#if defined(__cpp_lib_to_chars)
    const char* const last = std::to_chars(buffer.data(), buffer.data() + buffer.size(), positive,
                                           std::chars_format::scientific, 14)
                                 .ptr;
    return {buffer.data(), static_cast<std::size_t>(last - buffer.data())};
#else
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.14e", positive);
    return {buffer.data(), static_cast<std::size_t>(length)};
#endif
}

// A decimal number gathered as its significant digits and a power of ten, so
// that texts of any length stay linear and exponents of any size saturate.
struct DecimalDigits {
    bool negative = false;
    std::string significant;    // without leading zeros
    std::int64_t exponent = 0;  // value = significant × 10^exponent
};

constexpr std::int64_t kExponentCap = 1'000'000'000;

void addSaturating(std::int64_t& total, std::int64_t delta) {
    total += delta;
    if (total > kExponentCap) {
        total = kExponentCap;
    } else if (total < -kExponentCap) {
        total = -kExponentCap;
    }
}

[[nodiscard]] DecimalDigits scanDecimal(NumberScanner& scan) {
    DecimalDigits number;
    if (scan.take('-')) {
        number.negative = true;
    } else {
        (void)scan.take('+');
    }
    bool seenPoint = false;
    bool seenDigit = false;
    for (char c = scan.peek();; c = scan.peek()) {
        if (isDigit(c)) {
            seenDigit = true;
            if (c != '0' || !number.significant.empty()) {
                number.significant.push_back(c);
            }
            if (seenPoint) {
                addSaturating(number.exponent, -1);
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        scan.advance();
    }
    if (!seenDigit || !scan.takeEither('E', 'e')) {
        return number;
    }
    // An 'E' without digits after it ends the number before the 'E'.
    const bool negativeExponent = scan.take('-');
    if (!negativeExponent) {
        (void)scan.take('+');
    }
    std::int64_t exponent = 0;
    for (char c = scan.peek(); isDigit(c); c = scan.peek()) {
        exponent = std::min(exponent * 10 + (c - '0'), kExponentCap);
        scan.advance();
    }
    addSaturating(number.exponent, negativeExponent ? -exponent : exponent);
    return number;
}

// Up to 15 digits times or over a power of ten up to 10^22: both are doubles
// exactly, so one multiplication or division rounds the value correctly, as
// the general conversion would. Most texts typed are such, and the general
// conversion costs a hundred times more where the C library does it in
// software floating point (WebAssembly's).
[[nodiscard]] std::optional<double> exactlyRepresented(const DecimalDigits& number) {
    constexpr std::size_t kMostDigits = 15;
    constexpr std::int64_t kLargestExactPower = 22;
    if (number.significant.size() > kMostDigits || number.exponent > kLargestExactPower ||
        number.exponent < -kLargestExactPower) {
        return std::nullopt;
    }
    std::int64_t digits = 0;
    for (const char c : number.significant) {
        digits = digits * 10 + (c - '0');
    }
    double power = 1;
    for (std::int64_t k = 0; k < std::abs(number.exponent); ++k) {
        power *= 10;  // exact up to 10^22
    }
    const auto whole = static_cast<double>(digits);
    return number.exponent < 0 ? whole / power : whole * power;
}

[[nodiscard]] std::optional<double> toDouble(const DecimalDigits& number) {
    const double zero = number.negative ? -0.0 : 0.0;
    if (number.significant.empty()) {
        return zero;
    }
    // The decimal magnitude: the value lies in [10^(m-1), 10^m).
    const auto magnitude = static_cast<std::int64_t>(number.significant.size()) + number.exponent;
    if (magnitude > 310) {
        return std::nullopt;
    }
    if (magnitude < -330) {
        return zero;
    }
    if (const std::optional<double> exact = exactlyRepresented(number)) {
        return number.negative ? -*exact : *exact;
    }
    std::string text = number.significant;
    text += 'e';
    text += std::to_string(number.exponent);
    double value = 0;
    if (!readScientific(text, value)) {
        if (magnitude > 0) {
            return std::nullopt;
        }
        value = 0;
    }
    return number.negative ? -value : value;
}

// A positive number rounded to at most 15 significant digits:
// 0.d1d2d3… × 10^(exponent + 1), trailing zeros dropped.
struct RoundedDigits {
    std::string digits;
    int exponent = 0;
};

// Rounded once; the form is then chosen from the exponent after rounding, so
// 999999999999999.9 is written "1E+15".
[[nodiscard]] RoundedDigits roundToFifteenDigits(double positive) {
    std::array<char, 32> buffer{};
    const std::string_view scientific = writeScientific(positive, buffer);
    const std::size_t ePos = scientific.find('e');
    RoundedDigits rounded;
    for (const char c : scientific.substr(0, ePos)) {
        if (isDigit(c)) {
            rounded.digits.push_back(c);
        }
    }
    while (rounded.digits.size() > 1 && rounded.digits.back() == '0') {
        rounded.digits.pop_back();
    }
    std::string_view exponentText = scientific.substr(ePos + 1);
    if (exponentText.front() == '+') {
        exponentText.remove_prefix(1);
    }
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(),
                    rounded.exponent);
    return rounded;
}

// "1.5E+20", "1E-05": one digit before the point, at least two exponent digits.
[[nodiscard]] std::string exponentForm(const RoundedDigits& rounded) {
    std::string out(1, rounded.digits.front());
    if (rounded.digits.size() > 1) {
        out += '.';
        out.append(rounded.digits, 1);
    }
    const std::string exponentDigits = std::to_string(std::abs(rounded.exponent));
    out += rounded.exponent < 0 ? "E-" : "E+";
    if (exponentDigits.size() < 2) {
        out += '0';
    }
    return out + exponentDigits;
}

// "600", "2.2", ".0001": no point for whole numbers, no '0' before the point.
[[nodiscard]] std::string plainForm(const RoundedDigits& rounded) {
    const std::string& digits = rounded.digits;
    std::string out;
    if (rounded.exponent < 0) {
        out.append(1, '.').append(static_cast<std::size_t>(-rounded.exponent - 1), '0');
        return out.append(digits);
    }
    const auto integerDigits = static_cast<std::size_t>(rounded.exponent) + 1;
    if (digits.size() <= integerDigits) {
        return out.append(digits).append(integerDigits - digits.size(), '0');
    }
    return out.append(digits, 0, integerDigits).append(1, '.').append(digits, integerDigits);
}

}  // namespace

std::optional<double> parse(std::string_view text) {
    NumberScanner scan(text);
    if (scan.take('&')) {
        if (scan.takeEither('H', 'h')) {
            return parseRadixInteger(scan, 16);
        }
        if (scan.takeEither('O', 'o')) {
            return parseRadixInteger(scan, 8);
        }
        return 0.0;
    }
    return toDouble(scanDecimal(scan));
}

std::string format(double x) {
    if (!std::isfinite(x)) {
        return std::isnan(x) ? "NaN" : (x > 0 ? "Infinity" : "-Infinity");
    }
    if (x == 0) {
        return "0";
    }
    // A whole number of up to 15 digits is its own rounding: its digits as
    // they are, without the general conversion's cost.
    constexpr double kFifteenDigits = 1e15;
    if (std::fabs(x) < kFifteenDigits && std::trunc(x) == x) {
        return std::to_string(static_cast<std::int64_t>(x));
    }
    // Just below the top of the double range, rounding up to fifteen digits
    // would write a number that no longer reads back; round down there.
    constexpr double kLargestReadable = 1.79769313486231e308;
    const RoundedDigits rounded = roundToFifteenDigits(std::min(std::fabs(x), kLargestReadable));
    const std::string sign = x < 0 ? "-" : "";
    if (rounded.exponent >= 15 || rounded.exponent < -4) {
        return sign + exponentForm(rounded);
    }
    return sign + plainForm(rounded);
}

}  // namespace aurisplot
