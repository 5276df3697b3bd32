// Hostile and odd texts typed into the real window: each Graph command ends,
// the window stays live, the fields show what the chart was drawn from and the
// title reports the right result.

#include <array>
#include <optional>
#include <string>

#include "case_name.h"
#include "form_driver.h"

namespace aurisplot::testing {
namespace {

// Texts per field; an empty optional keeps the design-time default.
using Texts = std::array<std::optional<std::string>, 4>;

struct BadInput {
    const char* name;
    Texts typed;
    Texts writtenBack;   // for the fields typed into
    const char* result;  // the range after "MPE range is ~", or "" for the plain title
    bool grid = false;
};

void PrintTo(const BadInput& input, std::ostream* os) {
    *os << input.name;
}

// Longer than Qt's fields take by default (32767 characters). Wine's EDIT
// control lays a long line of digits out in time that grows with its square,
// seconds at this length, so the texts are not longer.
constexpr std::size_t kLongText = 40000;
const std::string kLongDigits(kLongText, '1');
const std::string kLongBlanksThenFive = std::string(kLongText, ' ') + "5";
const std::string kNul(1, '\0');

Texts fields(const std::string& power, const std::string& gain) {
    Texts texts;
    texts.at(0) = power;
    texts.at(1) = gain;
    return texts;
}
Texts only(std::size_t index, const std::string& text) {
    Texts texts;
    texts.at(index) = text;
    return texts;
}
Texts power(const std::string& text) {
    return only(0, text);
}
Texts gain(const std::string& text) {
    return only(1, text);
}
Texts densityFull(const std::string& text) {
    return only(2, text);
}
Texts distanceFull(const std::string& text) {
    return only(3, text);
}

// clang-format off
const BadInput kBadInputs[] = {
    {"empty power",           power(""),                   power("0"),      "1m"},
    {"blanks only",           power("   "),                power("0"),      "1m"},
    {"letters",               power("abc"),                power("0"),      "1m"},
    {"minus zero",            power("-0"),                 power("0"),      "1m"},
    {"bare exponent",         power("1e"),                 power("1"),      "1m"},
    {"exponent sign only",    power("1e+"),                power("1"),      "1m"},
    {"point only",            power("."),                  power("0"),      "1m"},
    {"negative fraction",     power("-.5"),                power(".5"),     "1m"},
    {"plus sign",             power("+5"),                 power("5"),      "1m"},
    {"unit after number",     power("600 W"),              power("600"),    "2m"},
    {"decimal comma",         power("2,5"),                power("2"),      "1m"},
    {"largest power",         power("1E+308"),             power("1E+308"), ""},
    {"power overflow",        power("1E+400"),             power("0"),      "1m"},
    {"power underflow",       power("1E-400"),             power("0"),      "1m"},
    {"hexadecimal",           power("&H10"),               power("16"),     "1m"},
    {"hexadecimal minus one", power("&HFFFF"),             power("1"),      "1m"},
    {"octal",                 power("&O17"),               power("15"),     "1m"},
    {"NaN",                   power("NaN"),                power("0"),      "1m"},
    {"Infinity",              power("Infinity"),           power("0"),      "1m"},
    {"C hexadecimal",         power("0x10"),               power("0"),      "1m"},
    {"full-width digits",     power("６００"),              power("0"),      "1m"},
    {"long digits",           power(kLongDigits),          power("0"),      "1m"},
    {"long blanks",           power(kLongBlanksThenFive),  power("5"),      "1m"},
    {"NUL inside",            power("600" + kNul + "5"),   power("600"),    "2m"},
    {"NUL first",             power(kNul + "600"),         power("0"),      "1m"},
    {"emoji after",           power("600\U0001F4E1"),      power("600"),    "2m"},
    {"emoji first",           power("\U0001F4E1600"),      power("0"),      "1m"},
    {"right-to-left mark",    power("\u200F600"),          power("0"),      "1m"},
    {"gain 4000 dBi",         gain("4000"),                gain("4000"),    ""},
    {"gain overflow",         gain("1E+400"),              gain("0"),       "1m"},
    {"1E+300 W at 100 dBi",   fields("1E+300", "100"),     fields("1E+300", "100"), ""},
    {"density scale 1E+300",  densityFull("1E+300"),       densityFull("1E+300"),     "2m", true},
    {"density scale 1E+9",    densityFull("1E+9"),         densityFull("1000000000"), "2m", true},
    {"density scale NaN",     densityFull("NaN"),          densityFull("1"),          "2m"},
    {"density scale -0",      densityFull("-0"),           densityFull("1"),          "2m"},
    {"distance scale empty",  distanceFull(""),            distanceFull("1"),         ""},
    {"distance scale comma",  distanceFull("2,5"),         distanceFull("2"),         "2m"},
    {"distance scale &HFFFF", distanceFull("&HFFFF"),      distanceFull("1"),         ""},
};
// clang-format on

class BadInputTest : public FormTest, public ::testing::WithParamInterface<BadInput> {
  protected:
    void type(const Texts& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (texts.at(i)) {
                setText(fieldAt(i), *texts.at(i));
            }
        }
        form.setChecked(GetParam().grid);
    }
    void expectWrittenBack(const Texts& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (texts.at(i)) {
                EXPECT_EQ(text(fieldAt(i)), *texts.at(i)) << "Text" << i + 1;
            }
        }
    }
    [[nodiscard]] static TextField fieldAt(std::size_t i) { return static_cast<TextField>(i); }
};

TEST_P(BadInputTest, GraphEndsWithTheFieldsAndTitleOfWhatWasDrawn) {
    type(GetParam().typed);
    form.graph();
    expectWrittenBack(GetParam().writtenBack);
    const std::string result = GetParam().result;
    EXPECT_EQ(title(),
              std::string(kTitle) + (result.empty() ? "" : " - [MPE range is ~" + result + "]"));
    // Still live: the button is back, and a second run gives the same.
    EXPECT_TRUE(form.enabled("Command1"));
    const std::string first = title();
    form.graph();
    EXPECT_EQ(title(), first);
}

INSTANTIATE_TEST_SUITE_P(Texts, BadInputTest, ::testing::ValuesIn(kBadInputs), CaseName());

// A distance full scale so large that the sweep would outlast its user: the
// window stays live while it runs, shows the fields it draws from and the
// progress, and Exit still ends it.
TEST(EndlessSweepTest, StaysLiveAndEndsOnExit) {
    for (const auto& entered : {std::pair{"1E+9", "1000000000"}, std::pair{"1E+300", "1E+300"}}) {
        // Named, not bound: clang 14 (emscripten's) cannot capture a binding.
        const char* const typed = entered.first;
        const char* const writtenBack = entered.second;
        const std::unique_ptr<FormDriver> started = startForm();
        FormDriver& form = *started;
        form.obliging().setText(TextField::Text4, typed);
        form.setChecked(true);
        int liveTicks = 0;
        form.every(20, [&] {  // runs only while the sweep handles events
            if (++liveTicks == 3) {
                form.stopTicks();
                EXPECT_EQ(form.obliging().text(TextField::Text4), writtenBack);
                EXPECT_EQ(form.shownTitle(), std::string(kTitle) + " - [0%]");
                EXPECT_FALSE(form.enabled("Command1"));
                form.click("Command2");
            }
        });
        EXPECT_EQ(form.runProgram([&] { form.graph(); }), 0) << typed;
        EXPECT_EQ(liveTicks, 3) << typed;
        EXPECT_FALSE(form.shown()) << typed;
    }
}

}  // namespace
}  // namespace aurisplot::testing
