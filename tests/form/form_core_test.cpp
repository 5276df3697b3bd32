// How the form core turns what its toolkit does into what the command sees:
// a refusal skips one statement, the end of the program stops the command
// without a word, and any other failure of the window stops it and is said.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/graph_engine.h"
#include "window/null/null_form.h"

namespace aurisplot::testing {
namespace {

const std::string kResult2m = "Quarnel Labs - Aurisplot - [MPE range is ~2m]";

// The designed window, loaded, whose event loop does `onTurn` on each turn,
// and whose Text1 refuses every text when told to.
class ToldForm final : public NullForm {
  public:
    ToldForm() { core().Form_Load(); }

    void turnEventLoop() override {
        ++turns;
        if (onTurn) {
            onTurn();
        }
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

    std::function<void()> onTurn;
    bool refuseText1 = false;
    int turns = 0;
    int described = 0;
};

TEST(FormCore, ARefusedPrimitiveSkipsItsStatementAndTheCommandGoesOn) {
    ToldForm form;
    form.refuseText1 = true;
    form.core().Command1_Click();
    EXPECT_EQ(form.shownTitle(), kResult2m);
    EXPECT_TRUE(form.failures().empty());
    EXPECT_FALSE(form.chartDescription().empty());
}

TEST(FormCore, AWindowFailureStopsTheCommandAtOnceAndIsSaidOnce) {
    ToldForm form;
    form.onTurn = [] { throw std::runtime_error("the display went away"); };
    form.core().Command1_Click();
    EXPECT_EQ(form.turns, 1);  // nothing of the command ran after the failing turn
    ASSERT_EQ(form.failures().size(), 1U);
    EXPECT_EQ(form.failures()[0], "The command stopped: the display went away");
    EXPECT_TRUE(form.enabled("Command1"));                             // Graph can be pressed again
    EXPECT_EQ(form.shownTitle(), "Quarnel Labs - Aurisplot - [10%]");  // the first pass's
    EXPECT_TRUE(form.chartDescription().empty());                      // no chart to describe
}

// Graph clicked again while the sweep turns the event loop: the click starts
// no command inside the running one, which ends as it would have.
TEST(FormCore, AClickDuringTheCommandStartsNoSecondOne) {
    ToldForm form;
    form.onTurn = [&] { form.core().Command1_Click(); };
    form.core().Command1_Click();
    EXPECT_EQ(form.described, 1);
    EXPECT_EQ(form.shownTitle(), kResult2m);
    EXPECT_TRUE(form.enabled("Command1"));
    form.onTurn = nullptr;
    form.core().Command1_Click();  // and once it has ended, Graph runs again
    EXPECT_EQ(form.described, 2);
}

TEST(FormCore, TheEndOfTheProgramStopsTheCommandWithoutAWord) {
    ToldForm form;
    form.onTurn = [&] { form.core().Command2_Click(); };
    form.core().Command1_Click();
    EXPECT_EQ(form.turns, 1);
    EXPECT_TRUE(form.closed());
    EXPECT_TRUE(form.failures().empty());
    EXPECT_EQ(form.shownTitle(), kTitle);  // nothing more is shown once it ends
    EXPECT_TRUE(form.chartDescription().empty());
}

}  // namespace
}  // namespace aurisplot::testing
