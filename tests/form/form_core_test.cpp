// How the form core turns what its toolkit does into what the command sees:
// a refusal skips one statement, the end of the program stops the command
// without a word, and any other failure of the window stops it and is said;
// the same where the toolkit turns its event loop inside the command's pumps
// (the desktop) and where it turns it after the command has let go (a page).

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/graph_engine.h"
#include "window/null/null_form.h"

namespace aurisplot::testing {
namespace {

const std::string kResult2m = "Quarnel Labs - Aurisplot - [MPE range is ~2m]";

// The designed window, loaded, whose event loop does `onTurn` on each turn:
// inside the command's pump, or, `later`, once the command has let go, as a
// page's does. Its Text1 refuses every text when told to.
class ToldForm final : public NullForm {
  public:
    explicit ToldForm(bool later) : later_(later) { core().Form_Load(); }

    bool turnEventLoop() override {
        ++asked;
        if (failTurn) {
            throw std::runtime_error("the display went away");
        }
        if (later_) {
            return false;
        }
        turn();
        return true;
    }
    void describeChart(std::string_view description) override {
        ++described;
        NullForm::describeChart(description);
    }
    void setText(std::string_view control, std::string_view text) override {
        if (refuseText1 && control == "Text1") {
            throw WindowServiceError("the field refuses the text");
        }
        NullForm::setText(control, text);
    }

    // Graph clicked, and the loop turned for the command until it ends.
    void graph() {
        core().Command1_Click();
        while (core().commandWaiting()) {
            turn();
            core().resumeCommand();
        }
    }

    std::function<void()> onTurn;
    bool refuseText1 = false;
    bool failTurn = false;
    int asked = 0;  // for a turn of the loop
    int turns = 0;
    int described = 0;

  private:
    void turn() {
        ++turns;
        if (onTurn) {
            onTurn();
        }
    }

    bool later_;
};

class FormCore : public ::testing::TestWithParam<bool> {
  protected:
    ToldForm form{GetParam()};
};

TEST_P(FormCore, ARefusedPrimitiveSkipsItsStatementAndTheCommandGoesOn) {
    form.refuseText1 = true;
    form.graph();
    EXPECT_EQ(form.shownTitle(), kResult2m);
    EXPECT_TRUE(form.failures().empty());
    EXPECT_FALSE(form.chartDescription().empty());
}

TEST_P(FormCore, AWindowFailureStopsTheCommandAtOnceAndIsSaidOnce) {
    form.failTurn = true;
    form.graph();
    EXPECT_EQ(form.asked, 1);  // nothing of the command ran after the failing turn
    EXPECT_FALSE(form.core().commandWaiting());
    ASSERT_EQ(form.failures().size(), 1U);
    EXPECT_EQ(form.failures()[0], "The command stopped: the display went away");
    EXPECT_TRUE(form.enabled("Command1"));                             // Graph can be pressed again
    EXPECT_EQ(form.shownTitle(), "Quarnel Labs - Aurisplot - [10%]");  // the first pass's
    EXPECT_TRUE(form.chartDescription().empty());                      // no chart to describe
}

// Graph clicked again while the sweep turns the event loop: the click starts
// no command inside the running one, which ends as it would have.
TEST_P(FormCore, AClickDuringTheCommandStartsNoSecondOne) {
    form.onTurn = [&] { form.core().Command1_Click(); };
    form.graph();
    EXPECT_EQ(form.described, 1);
    EXPECT_EQ(form.shownTitle(), kResult2m);
    EXPECT_TRUE(form.enabled("Command1"));
    form.onTurn = nullptr;
    form.graph();  // and once it has ended, Graph runs again
    EXPECT_EQ(form.described, 2);
}

TEST_P(FormCore, TheEndOfTheProgramStopsTheCommandWithoutAWord) {
    form.onTurn = [&] { form.core().Command2_Click(); };
    form.graph();
    EXPECT_EQ(form.turns, 1);
    EXPECT_FALSE(form.core().commandWaiting());
    EXPECT_TRUE(form.closed());
    EXPECT_TRUE(form.failures().empty());
    EXPECT_EQ(form.shownTitle(), kTitle);  // nothing more is shown once it ends
    EXPECT_TRUE(form.chartDescription().empty());
}

// Where the loop turns after the command has let go, the command waits for
// each turn it asks for, and for no other.
TEST(FormCoreWaiting, TheCommandWaitsForEachTurnItAsksFor) {
    ToldForm form(true);
    form.core().Command1_Click();
    EXPECT_TRUE(form.core().commandWaiting());
    EXPECT_FALSE(form.enabled("Command1"));
    EXPECT_EQ(form.asked, 1);
    form.core().resumeCommand();
    EXPECT_EQ(form.asked, 1);  // the turn asked for is over: no second one at once
    int waits = 1;
    while (form.core().commandWaiting()) {
        form.core().resumeCommand();
        ++waits;
    }
    EXPECT_EQ(waits, form.asked);
    EXPECT_EQ(form.shownTitle(), kResult2m);
    EXPECT_TRUE(form.enabled("Command1"));
}

// Access keys come from the design's captions: "&Graph" and "E&xit". A key
// reaches only an enabled button.
TEST(FormCoreAccessKeys, TheCaptionsMarkedLetterClicksItsButtonWhileItIsEnabled) {
    ToldForm form(true);
    EXPECT_FALSE(form.core().accessKeyPressed('Q'));
    EXPECT_FALSE(form.core().accessKeyPressed('&'));
    EXPECT_TRUE(form.core().accessKeyPressed('g'));   // either case
    EXPECT_TRUE(form.core().commandWaiting());        // Graph runs
    EXPECT_FALSE(form.core().accessKeyPressed('G'));  // disabled while it runs
    EXPECT_FALSE(form.closed());
    EXPECT_TRUE(form.core().accessKeyPressed('X'));
    EXPECT_TRUE(form.closed());
    form.core().resumeCommand();
    EXPECT_FALSE(form.core().commandWaiting());
}

// Shown the first time, the window takes its starting state; shown again
// (restored, say), it keeps what the user has made of it.
TEST(FormCoreShown, TheFirstShowingSetsTheStartingStateAndNoLaterOneUndoesTheChart) {
    ToldForm form(false);
    form.focus("Text1");
    form.core().shown();
    EXPECT_EQ(form.focused(), "Picture1");
    EXPECT_EQ(form.chartDescription(), "Nothing drawn yet");
    form.graph();
    const std::string drawn = form.chartDescription();
    const std::vector<CanvasPixel> chart(form.canvas().pixels().begin(),
                                         form.canvas().pixels().end());
    form.focus("Text1");
    form.core().shown();
    EXPECT_EQ(form.focused(), "Text1");
    EXPECT_EQ(form.chartDescription(), drawn);
    EXPECT_TRUE(std::equal(chart.begin(), chart.end(), form.canvas().pixels().begin(),
                           form.canvas().pixels().end()));
}

// A new scale reaches the picture, drawn again at it.
TEST(FormCoreShown, AScaleChangeFitsThePictureToTheNewScale) {
    ToldForm form(false);
    form.core().shown();
    form.core().scaleChanged(2);
    EXPECT_EQ(form.canvas().ratio(), 2);
    EXPECT_EQ(form.canvas().width(), 878);
    EXPECT_EQ(form.canvas().height(), 638);
}

INSTANTIATE_TEST_SUITE_P(Loops, FormCore, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& loop) {
                             return loop.param ? "TurnsAfterTheCommandLetsGo" : "TurnsInThePump";
                         });

}  // namespace
}  // namespace aurisplot::testing
