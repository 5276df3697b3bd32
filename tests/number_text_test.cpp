#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "engine/number_text.h"

namespace aurisplot {
namespace {

struct ParseCase {
    std::string text;
    double value;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.text);
}

class Parse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(Parse, ReadsTheLeadingNumber) {
    const auto parsed = parse(GetParam().text);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, Parse,
    ::testing::Values(ParseCase{" 1615 198th Street N.E.", 1615198}, ParseCase{"24 and 57", 24},
                      ParseCase{" 2 45 7", 2457}, ParseCase{"-123.4e-2", -1.234},
                      ParseCase{"600 W", 600}, ParseCase{"2,5", 2}, ParseCase{"2.2", 2.2},
                      ParseCase{"0.1", 0.1}, ParseCase{"1.2.3", 1.2}, ParseCase{"-.5", -0.5},
                      ParseCase{"+5", 5}, ParseCase{"- 5", -5}, ParseCase{"1\t2\n3", 123},
                      ParseCase{"1 e 2", 100}, ParseCase{"1E5x", 1e5}, ParseCase{"1e", 1},
                      ParseCase{"1e+", 1}, ParseCase{"2e-", 2}, ParseCase{"1E+308", 1e308},
                      ParseCase{"1E-400", 0}, ParseCase{"1E-320", 1e-320},
                      ParseCase{"0.000000000000000000000000000000000000001e39", 1},
                      ParseCase{"1E-99999999999999999999", 0}, ParseCase{"12.99", 12.99},
                      ParseCase{"1\r2", 1}, ParseCase{"5 ", 5}));

INSTANTIATE_TEST_SUITE_P(
    NoNumber, Parse,
    ::testing::Values(ParseCase{"", 0}, ParseCase{"   ", 0}, ParseCase{"abc", 0}, ParseCase{".", 0},
                      ParseCase{"-", 0}, ParseCase{"e5", 0}, ParseCase{"NaN", 0},
                      ParseCase{"Infinity", 0}, ParseCase{"0x10", 0},
                      ParseCase{"\xEF\xBC\x96\xEF\xBC\x90\xEF\xBC\x90", 0},  // full-width 600
                      ParseCase{std::string("\0"
                                            "5",
                                            2),
                                0},
                      ParseCase{"\xE2\x80\x8F"
                                "5",
                                0},
                      ParseCase{"&", 0}, ParseCase{"&Z1", 0}, ParseCase{"$5", 0}));

INSTANTIATE_TEST_SUITE_P(
    Radix, Parse,
    ::testing::Values(ParseCase{"&HFFFF", -1}, ParseCase{"&H10", 16}, ParseCase{"&HA", 10},
                      ParseCase{"&h1f", 31}, ParseCase{"&H", 0}, ParseCase{"&H7FFF", 32767},
                      ParseCase{"&H8000", -32768}, ParseCase{"&H10000", 65536},
                      ParseCase{"&HFFFFFFFF", -1}, ParseCase{"&H7FFFFFFF", 2147483647},
                      ParseCase{"&H0000FFFF", -1}, ParseCase{"& H 1 0", 16}, ParseCase{"&HFG", 15},
                      ParseCase{"&O17", 15}, ParseCase{"&o8", 0}, ParseCase{"&O177777", -1},
                      ParseCase{"&O37777777777", -1}));

TEST(Parse, NumbersBeyondRepresentationGiveNothing) {
    for (const std::string& text :
         std::vector<std::string>{"1E+400", "-1E+400", "1.8E+308", "&H100000000", "&O40000000000",
                                  std::string(400, '9'), "1" + std::string(309, '0')}) {
        EXPECT_EQ(parse(text), std::nullopt) << text.substr(0, 20);
    }
}

TEST(Parse, LongTextsStayExact) {
    const std::string megabyte(1 << 20, ' ');
    EXPECT_EQ(parse(megabyte + "5"), 5.0);
    EXPECT_EQ(parse(std::string(1 << 20, '0') + "5"), 5.0);
    EXPECT_EQ(parse("." + std::string(1 << 20, '0') + "5"), 0.0);
    EXPECT_EQ(parse("&H" + std::string(1 << 20, '0') + "10"), 16.0);
    EXPECT_EQ(parse(std::string(1 << 20, '1')), std::nullopt);
    // Far more digits than a double holds still round correctly.
    EXPECT_EQ(parse("0.1" + std::string(1000, '0') + "1"), 0.1);
}

// Short texts take a shortcut past the general conversion: it must give the
// correctly rounded value all the same, at each end of its reach and past it.
TEST(Parse, ShortTextsRoundAsTheGeneralConversionDoes) {
    for (const std::string digits :
         {"1", "22", "9007199254740993", "123456789012345", "999999999999999", "1234567890123456",
          "30000000000000007", "17976931348623157"}) {
        for (int exponent = -25; exponent <= 25; ++exponent) {
            const std::string text = digits + "E" + std::to_string(exponent);
            EXPECT_EQ(parse(text), std::strtod(text.c_str(), nullptr)) << text;
            std::string withPoint(1, '.');
            withPoint += text;
            EXPECT_EQ(parse(withPoint), std::strtod(withPoint.c_str(), nullptr)) << withPoint;
        }
    }
}

struct FormatCase {
    double value;
    std::string text;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.text;
}

class Format : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Format, WritesFifteenSignificantDigits) {
    EXPECT_EQ(format(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Format,
    ::testing::Values(
        FormatCase{0, "0"}, FormatCase{-0.0, "0"}, FormatCase{600, "600"}, FormatCase{20, "20"},
        FormatCase{2.2, "2.2"}, FormatCase{0.5, ".5"}, FormatCase{0.1 + 0.2, ".3"},
        FormatCase{1234567.891, "1234567.891"}, FormatCase{1.23456789012345678, "1.23456789012346"},
        FormatCase{123456789012345, "123456789012345"}, FormatCase{1e14, "100000000000000"},
        FormatCase{1e15, "1E+15"}, FormatCase{999999999999999.9, "1E+15"},
        FormatCase{1.5e15, "1.5E+15"}, FormatCase{1e20, "1E+20"}, FormatCase{1e300, "1E+300"},
        FormatCase{1e-4, ".0001"}, FormatCase{1.25e-4, ".000125"}, FormatCase{1e-5, "1E-05"},
        FormatCase{1.5e-7, "1.5E-07"},
        FormatCase{std::numeric_limits<double>::max(), "1.79769313486231E+308"},
        FormatCase{std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
        FormatCase{-2.5, "-2.5"}, FormatCase{2147483648.0, "2147483648"}));

// What the fields show must read back as the same number.
TEST(Format, ReadsBackThroughParse) {
    for (const std::string text : {"600", "2.2", "0.1", "1E+300", "123456789012345", "1.5E-07",
                                   "3.14159265358979", ".0001", "4.94065645841247E-324"}) {
        const auto value = parse(text);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(parse(format(*value)), value) << text;
        EXPECT_EQ(format(*parse(format(*value))), format(*value)) << text;
    }
}

// The largest double would round up past the double range; what the field
// shows must still read as a number, not as an overflow that counts as 0.
TEST(Format, TopOfTheRangeStillReadsBack) {
    const auto back = parse(format(std::numeric_limits<double>::max()));
    ASSERT_TRUE(back.has_value());
    EXPECT_NEAR(*back / std::numeric_limits<double>::max(), 1.0, 1e-14);
}

}  // namespace
}  // namespace aurisplot
