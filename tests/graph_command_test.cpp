#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/graph_engine.h"
#include "window/null/recording_window.h"

namespace aurisplot {
namespace {

using testing::RecordingWindow;

const std::string kPlainTitle = "\"Quarnel Labs - Aurisplot\"";

std::vector<std::string> defaultPass(int percent, const std::string& segment) {
    return {"drawLine " + segment, "title",
            "setTitle \"Quarnel Labs - Aurisplot - [" + std::to_string(percent) + "%]\"",
            "pumpEvents"};
}

TEST(GraphCommand, DefaultRunCallsTheWindowInOrder) {
    RecordingWindow window;
    runGraphCommand(window);

    std::vector<std::string> expected = {
        "setCommand1Enabled false",
        "clear",
        "scaleWidth",
        "scaleHeight",
        "text Text1",
        "text Text2",
        "setText Text1 \"600\"",
        "setText Text2 \"2.2\"",
        "text Text3",
        "text Text4",
        "setText Text3 \"20\"",
        "setText Text4 \"10\"",
        "setDrawMode 9",
        "setDrawWidth 1",
        "fillBox 1 3588.75 6585 1 255",
        "comboText",
        "checkState",
        "setDrawMode 13",
        "setDrawWidth 1",
    };
    const std::vector<std::string> segments = {"658 2889 0 1 0",        "1317 4311 658 2889 0",
                                               "1975 4574 1317 4311 0", "2634 4666 1975 4574 0",
                                               "3292 4709 2634 4666 0", "3951 4732 3292 4709 0",
                                               "4609 4746 3951 4732 0", "5268 4755 4609 4746 0",
                                               "5926 4761 5268 4755 0", "6585 4766 5926 4761 0"};
    for (int pass = 1; pass <= 10; ++pass) {
        if (pass == 2) {
            expected.emplace_back("drawLine 1317 1 1317 4785 16711680");  // the limit crossing
        }
        const auto lines = defaultPass(pass * 10, segments.at(static_cast<std::size_t>(pass - 1)));
        expected.insert(expected.end(), lines.begin(), lines.end());
    }
    expected.push_back("setTitle " + kPlainTitle);
    expected.emplace_back("setTitle \"Quarnel Labs - Aurisplot - [MPE range is ~2m]\"");
    expected.emplace_back("setCommand1Enabled true");

    EXPECT_EQ(window.log(), expected);
    EXPECT_EQ(window.state.texts, (std::array<std::string, 4>{"600", "2.2", "20", "10"}));
}

struct FieldCase {
    TextField field;
    std::string typed;
    std::string writtenBack;
};

void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << testing::fieldName(c.field) << " " << ::testing::PrintToString(c.typed);
}

class FieldNormalisation : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldNormalisation, WritesBackWhatTheChartIsDrawnFrom) {
    RecordingWindow window;
    window.field(GetParam().field) = GetParam().typed;
    runGraphCommand(window);
    EXPECT_EQ(window.field(GetParam().field), GetParam().writtenBack);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldNormalisation,
    ::testing::Values(
        FieldCase{TextField::Text1, "-600", "600"}, FieldCase{TextField::Text2, "-2.2", "2.2"},
        FieldCase{TextField::Text1, "abc", "0"}, FieldCase{TextField::Text1, "", "0"},
        FieldCase{TextField::Text1, "600 W", "600"},
        FieldCase{TextField::Text1, "1E+400", "0"},  // cannot be represented
        FieldCase{TextField::Text1, "&HFFFF", "1"}, FieldCase{TextField::Text2, "0.50", ".5"},
        FieldCase{TextField::Text3, "0", "1"}, FieldCase{TextField::Text3, "0.4", "1"},
        FieldCase{TextField::Text3, "", "1"}, FieldCase{TextField::Text3, "12.99", "12"},
        FieldCase{TextField::Text3, "-30", "30"}, FieldCase{TextField::Text3, "1E+400", "1"},
        FieldCase{TextField::Text4, "7.9", "7"}, FieldCase{TextField::Text3, "1E+300", "1E+300"},
        FieldCase{TextField::Text4, "1E+3", "1000"}));

struct ResolutionCase {
    std::string text;
    double step;
};

void PrintTo(const ResolutionCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.text);
}

class Resolution : public ::testing::TestWithParam<ResolutionCase> {};

TEST_P(Resolution, TextNamesTheStep) {
    EXPECT_EQ(stepForResolution(GetParam().text), GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(Texts, Resolution,
                         ::testing::Values(ResolutionCase{"1 m", 1}, ResolutionCase{"1 cm", 0.01},
                                           ResolutionCase{"1 mm", 0.001},
                                           ResolutionCase{" 1 cm ", 0.01},
                                           ResolutionCase{"1 Cm", 0.01},
                                           ResolutionCase{"1 MM", 0.001},
                                           ResolutionCase{"1  cm", 0}, ResolutionCase{"", 0},
                                           ResolutionCase{"\t1 m", 0}, ResolutionCase{"1 km", 0}));

// The stand-in is as strict as the real windows: the engine is tested against
// the contract, not against a laxer one.
TEST(RecordingWindow, RefusesListIndexesTheWindowsRefuse) {
    RecordingWindow window;
    EXPECT_EQ(window.setComboIndex(3), Outcome::Refused);
    EXPECT_EQ(window.setComboIndex(-2), Outcome::Refused);
    EXPECT_EQ(window.setComboIndex(-1), Outcome::Done);
    EXPECT_EQ(window.comboText().value, "");
}

TEST(GraphCommand, UnknownResolutionSkipsTheSweepButFinishesTheCommand) {
    RecordingWindow window;
    window.state.title = "Quarnel Labs - Aurisplot - [MPE range is ~2m]";  // an earlier result
    window.state.comboItems = {"1  cm"};
    runGraphCommand(window);
    EXPECT_EQ(window.callCount("pumpEvents"), 0);
    EXPECT_EQ(window.callCount("drawLine"), 0);
    EXPECT_EQ(window.state.title, "Quarnel Labs - Aurisplot");
    EXPECT_TRUE(window.state.command1Enabled);
}

TEST(GraphCommand, GridOnlyWhenChecked) {
    for (const auto& [state, gridLines] :
         std::vector<std::pair<int, int>>{{0, 0}, {1, 10 + 20}, {2, 0}}) {
        RecordingWindow window;
        window.state.checkState = state;
        window.state.comboItems = {"none"};  // no sweep: only grid lines are drawn
        runGraphCommand(window);
        EXPECT_EQ(window.callCount("drawLine"), gridLines) << "check state " << state;
    }
}

struct FailureCase {
    std::string operation;
    int nth;
    std::string finalTitle;
    std::array<std::string, 4> texts;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.operation << " call " << c.nth;
}

class FailingWindowOperation : public ::testing::TestWithParam<FailureCase> {};

// A failing window operation abandons its own statement only.
TEST_P(FailingWindowOperation, AbandonsOnlyItsOwnStatement) {
    const auto& failure = GetParam();
    RecordingWindow window;
    window.failOn(failure.operation, failure.nth);
    runGraphCommand(window);
    EXPECT_EQ(window.state.title, failure.finalTitle);
    EXPECT_EQ(window.state.texts, failure.texts);
    EXPECT_TRUE(window.state.command1Enabled);
    EXPECT_EQ(window.log().back(), "setCommand1Enabled true");
}

const std::string kResult2m = "Quarnel Labs - Aurisplot - [MPE range is ~2m]";
const std::array<std::string, 4> kDefaults{"600", "2.2", "20", "10"};

INSTANTIATE_TEST_SUITE_P(
    Operations, FailingWindowOperation,
    ::testing::Values(
        FailureCase{"setCommand1Enabled", 1, kResult2m, kDefaults},
        FailureCase{"clear", 1, kResult2m, kDefaults},
        // Unread power counts as 0: the density is 0 from the first step.
        FailureCase{
            "text", 1, "Quarnel Labs - Aurisplot - [MPE range is ~1m]", {"0", "2.2", "20", "10"}},
        FailureCase{"setText", 1, kResult2m, kDefaults},
        // Unread full scale counts as 0 and is raised to 1: one pass, above the limit.
        FailureCase{"text", 4, "Quarnel Labs - Aurisplot", {"600", "2.2", "20", "1"}},
        FailureCase{"fillBox", 1, kResult2m, kDefaults},
        FailureCase{"comboText", 1, "Quarnel Labs - Aurisplot", kDefaults},
        FailureCase{"drawLine", 2, kResult2m, kDefaults},  // the blue line
        FailureCase{"title", 3, kResult2m, kDefaults},
        FailureCase{"pumpEvents", 5, kResult2m, kDefaults},
        // The result title fails: the plain title written before it stays.
        FailureCase{"setTitle", 12, "Quarnel Labs - Aurisplot", kDefaults}));

TEST(GraphCommand, FailedProgressTitleReadStillShowsProgress) {
    RecordingWindow window;
    window.failOn("title", 1);
    runGraphCommand(window);
    EXPECT_EQ(window.linesOf("setTitle").front(), "setTitle \"Quarnel Labs - Aurisplot - [10%]\"");
}

TEST(GraphCommand, FailingSurfaceSizeStillEndsTheCommand) {
    RecordingWindow window;
    window.failOn("scaleWidth", 1);
    window.failOn("scaleHeight", 1);
    window.state.checkState = 1;
    runGraphCommand(window);
    EXPECT_EQ(window.callCount("pumpEvents"), 10);
    EXPECT_EQ(window.state.title, kResult2m);
}

// The program ends during the command: nothing of it runs any more, not even
// the statements a refusal would have gone on with, and it draws nothing.
struct EndCase {
    std::string operation;
    int nth;
};

void PrintTo(const EndCase& c, std::ostream* os) {
    *os << c.operation << " call " << c.nth;
}

class EndingWindowOperation : public ::testing::TestWithParam<EndCase> {};

TEST_P(EndingWindowOperation, StopsTheCommandAtOnce) {
    const auto& end = GetParam();
    RecordingWindow window;
    window.endOn(end.operation, end.nth);
    EXPECT_FALSE(runGraphCommand(window));
    EXPECT_TRUE(window.log().back().ends_with(" -> ended")) << window.log().back();
    EXPECT_FALSE(window.state.command1Enabled);
}

INSTANTIATE_TEST_SUITE_P(Operations, EndingWindowOperation,
                         ::testing::Values(EndCase{"clear", 1}, EndCase{"text", 3},
                                           EndCase{"fillBox", 1}, EndCase{"drawLine", 2},
                                           EndCase{"pumpEvents", 1}, EndCase{"title", 5},
                                           EndCase{"setTitle", 11}));

// A window that takes its events only after the command has let go of it (a
// page): the command stops at each pump it answers so, pumps again when it is
// resumed, and otherwise calls the window exactly as where the pumps take the
// events themselves.
TEST(GraphCommandResumed, StopsAtEachPumpAnsweredLaterAndOtherwiseRunsTheSame) {
    RecordingWindow through;
    const std::optional<ChartDrawn> drawn = runGraphCommand(through);
    ASSERT_TRUE(drawn);
    RecordingWindow waiting;
    // The first pumps, one later on, and the last: each stop adds a pump.
    for (const int nth : {1, 3, 10, through.callCount("pumpEvents") + 3}) {
        waiting.laterOn(nth);
    }
    GraphCommand command = graphCommand(waiting);
    int stops = 0;
    while (!command.resume()) {
        ++stops;
        ASSERT_EQ(waiting.log().back(), "pumpEvents -> later");
    }
    EXPECT_EQ(stops, 4);
    std::vector<std::string> calls;
    for (const std::string& line : waiting.log()) {
        if (line != "pumpEvents -> later") {
            calls.push_back(line);
        }
    }
    EXPECT_EQ(calls, through.log());
    const std::optional<ChartDrawn> resumed = command.take();
    ASSERT_TRUE(resumed);
    EXPECT_EQ(resumed->belowLimitFrom, drawn->belowLimitFrom);
}

// The program ended while the command waited: it learns so from its next
// pump, and nothing more of it runs.
TEST(GraphCommandResumed, EndsAtOnceWhenTheTurnItWaitedForEndedTheProgram) {
    RecordingWindow window;
    window.laterOn(3);
    window.endOn("pumpEvents", 4);
    GraphCommand command = graphCommand(window);
    EXPECT_FALSE(command.resume());
    const std::size_t calls = window.log().size();
    EXPECT_TRUE(command.resume());
    EXPECT_EQ(window.log().size(), calls + 1);
    EXPECT_EQ(window.log().back(), "pumpEvents -> ended");
    EXPECT_FALSE(command.take());
    EXPECT_FALSE(window.state.command1Enabled);
}

}  // namespace
}  // namespace aurisplot
