// Form1's keys, its Graph command on the real surface, and its end.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "form_driver.h"

namespace aurisplot::testing {
namespace {

using FormKeysTest = FormTest;

// Whether a title shows the sweep's progress: the window's title, " - [",
// a whole percentage, "%]".
[[nodiscard]] bool showsProgress(std::string_view title) {
    const std::string prefix = std::string(kTitle) + " - [";
    if (!title.starts_with(prefix) || !title.ends_with("%]")) {
        return false;
    }
    const std::string_view digits = title.substr(prefix.size(), title.size() - prefix.size() - 2);
    return !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
}

// A name the design does not have is the program's own fault, the same on
// every toolkit: no toolkit takes it for another control, or fails otherwise.
TEST_F(FormKeysTest, EveryPrimitiveTakesANameTheDesignDoesNotHaveForTheProgramsFault) {
    FormToolkit& toolkit = form.toolkit();
    constexpr std::string_view kNone = "Text9";
    EXPECT_THROW(static_cast<void>(toolkit.text(kNone)), std::logic_error);
    EXPECT_THROW(toolkit.setText(kNone, "1"), std::logic_error);
    EXPECT_THROW(toolkit.addItem(kNone, "1 km"), std::logic_error);
    EXPECT_THROW(static_cast<void>(toolkit.itemCount(kNone)), std::logic_error);
    EXPECT_THROW(toolkit.select(kNone, 0), std::logic_error);
    EXPECT_THROW(static_cast<void>(toolkit.checkState(kNone)), std::logic_error);
    EXPECT_THROW(static_cast<void>(toolkit.enabled(kNone)), std::logic_error);
    EXPECT_THROW(toolkit.enable(kNone, false), std::logic_error);
    EXPECT_THROW(toolkit.focus(kNone), std::logic_error);
    EXPECT_EQ(form.textOf("Text1"), "600");  // and nothing changed
    EXPECT_EQ(form.comboItems().size(), kResolutions.size());
}

TEST_F(FormKeysTest, NineTabsVisitEveryControlOnceAndReturnToTheChart) {
    std::vector<std::string> visited;
    for (int k = 0; k < 8; ++k) {
        form.press(Key::Tab);
        visited.push_back(form.focus());
    }
    const std::vector<std::string> expected{"Command1", "Command2", "Text1",  "Text2",
                                            "Text3",    "Text4",    "Combo1", "Check1"};
    EXPECT_EQ(visited, expected);
    form.press(Key::Tab);
    if (form.tabLeavesTheWindow()) {
        EXPECT_EQ(form.focus(), "") << "Tab past the last control stayed in the window";
        form.press(Key::Tab);
    }
    EXPECT_EQ(form.focus(), "Picture1");
    form.press(Key::BackTab);
    if (form.tabLeavesTheWindow()) {
        EXPECT_EQ(form.focus(), "") << "Shift+Tab before the first control stayed in the window";
        form.press(Key::BackTab);
    }
    EXPECT_EQ(form.focus(), "Check1");
}

TEST_F(FormKeysTest, EnterAndEscapeDoNothing) {
    for (const char* control : {"Picture1", "Text1", "Text2", "Text3", "Text4", "Check1"}) {
        form.focusOn(control);
        form.press(Key::Enter);
        form.press(Key::Escape);
    }
    ASSERT_TRUE(form.settle());  // whatever the keys started has run
    EXPECT_TRUE(form.shown());
    EXPECT_EQ(title(), kTitle);  // no Graph command ran
    EXPECT_EQ(text(TextField::Text1), "600");
    EXPECT_EQ(form.obliging().checkState(), 0);
}

TEST_F(FormKeysTest, ResolutionListTakesNoTypedText) {
    form.focusOn("Combo1");
    form.type("2km");
    EXPECT_EQ(form.comboItems().size(), 3U);
    EXPECT_EQ(form.obliging().comboText(), "1 m");
    form.press(Key::Down);  // the keyboard picks the next entry
    form.press(Key::Down);
    EXPECT_EQ(form.obliging().comboText(), "1 mm");
}

TEST_F(FormKeysTest, SpaceTogglesTheGridAndPressesTheFocusedButton) {
    form.focusOn("Check1");
    form.press(Key::Space);
    EXPECT_TRUE(form.waitFor([&] { return form.obliging().checkState() == 1; }));
    form.focusOn("Command1");
    form.press(Key::Space);
    ASSERT_TRUE(waitForResult("2m"));
    // The focus stays on Graph, so another Space graphs again instead of exiting.
    EXPECT_TRUE(form.waitFor([&] { return form.enabled("Command1"); }));
    EXPECT_EQ(form.focus(), "Command1");
}

// The default chart: the graph of 600 W, 2.2 dBi, 20 mW/cm², 10 m at 1 m. The
// interior is 6585 x 4785 twips, 439 x 319 pixels.
class GraphTest : public FormTest {
  protected:
    void graphWithAltG() {
        form.focusOn("Text2");
        form.press(Key::AltG);  // from any control
        ASSERT_TRUE(waitForResult("2m"));
        ASSERT_TRUE(form.waitFor([&] { return form.enabled("Command1"); }));
    }
};

[[nodiscard]] bool isZoneRed(Colour c) {
    return greenOf(c) == 0 && blueOf(c) == 0 && redOf(c) >= 228;
}
[[nodiscard]] bool isPaleGrey(Colour c) {
    return redOf(c) == greenOf(c) && greenOf(c) == blueOf(c) && redOf(c) >= 228;
}

TEST_F(GraphTest, AltGDrawsTheZoneTheCurveAndTheLimitMarker) {
    graphWithAltG();
    EXPECT_EQ(text(TextField::Text1), "600");  // written back unchanged
    const Picture picture = form.surface();
    // The zone above 5 mW/cm² reaches down to y = 0.75 H, row 239, over the
    // emblem's greys; below it the emblem shows unchanged.
    for (int y = 0; y <= 310; ++y) {
        const Colour c = picture.at(400, y);
        EXPECT_TRUE(y <= 239 ? isZoneRed(c) : isPaleGrey(c)) << "row " << y;
    }
    // The limit is first undercut at 2 m: a blue line at x = floor(0.2 W), the
    // length of the chart except where the curve crosses it.
    for (const int y : {0, 100, 239, 240, 300, 318}) {
        EXPECT_EQ(picture.at(87, y), kBluePixel) << "row " << y;
    }
    EXPECT_NE(picture.at(86, 300), kBluePixel);
    EXPECT_NE(picture.at(88, 300), kBluePixel);
    // The curve's points at 1 m, 2 m and 10 m, black.
    EXPECT_EQ(picture.at(43, 192), kBlackPixel);
    EXPECT_EQ(picture.at(87, 287), kBlackPixel);
    EXPECT_EQ(picture.at(438, 317), kBlackPixel);  // x = W lies past the last column
    // The screen shows the finished chart.
    EXPECT_TRUE(form.surfaceOnScreen().crop({1, 1, 439, 319}) == picture);
}

TEST_F(GraphTest, GridLinesAreBlackOverTheZoneAndBelowIt) {
    form.setChecked(true);
    graphWithAltG();
    const Picture picture = form.surface();
    // Vertical lines at 1 + k W / 10 twips, horizontal ones at 1 + k H / 20.
    for (const int x : {0, 131, 219, 395}) {
        EXPECT_EQ(picture.at(x, 100), kBlackPixel) << "column " << x;
        EXPECT_EQ(picture.at(x, 250), kBlackPixel) << "column " << x;
    }
    for (const int y : {16, 31, 239, 271, 303}) {
        EXPECT_EQ(picture.at(300, y), kBlackPixel) << "row " << y;
    }
    EXPECT_TRUE(isZoneRed(picture.at(300, 100)));
}

TEST_F(GraphTest, ChangedFullScalesLeaveTheDecorationInPlace) {
    const Picture before = form.clientOnScreen();
    setText(TextField::Text3, "7");
    setText(TextField::Text4, "3");
    form.graph();
    EXPECT_EQ(text(TextField::Text4), "3");
    const Picture after = form.clientOnScreen();
    // Everything outside the chart and the two fields stays as it was.
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            const bool changes = form.place("Picture1").contains(x, y) ||
                                 form.place("Text3").contains(x, y) ||
                                 form.place("Text4").contains(x, y);
            if (!changes) {
                ASSERT_EQ(before.at(x, y), after.at(x, y)) << x << "," << y;
            }
        }
    }
}

// With no entry of the list selected (index -1) the resolution text is empty
// and there is no step: the frame is drawn but no curve, the plain title
// replaces an earlier result, and the button comes back.
TEST_F(GraphTest, NoResolutionSelectedDrawsNoCurveAndClearsTheResult) {
    graphWithAltG();
    form.obliging().setComboIndex(-1);
    EXPECT_EQ(form.obliging().comboText(), "");
    form.graph();
    EXPECT_EQ(title(), kTitle);
    EXPECT_TRUE(form.enabled("Command1"));
    const Picture picture = form.surface();
    for (int x = 0; x < picture.width(); ++x) {
        ASSERT_TRUE(isPaleGrey(picture.at(x, 300))) << x;  // under the zone, above the curve's tail
        ASSERT_NE(picture.at(x, 100), kBluePixel) << x;
    }
}

// Ten million passes, 1 mm steps out to 10 km, long enough to outlast a
// system timer's tick on every window. Once the screen shows the sweep's
// progress, the user types into a field: the keys arrive in the middle of the
// sweep, not only at its first event pump, and the chart is seen growing.
TEST_F(GraphTest, TheWindowStaysLiveDuringATenMillionPassSweep) {
    setText(TextField::Text4, "10000");
    form.obliging().setComboIndex(2);
    std::string titleWhileTyping;
    Picture screenWhileTyping;
    form.every(1, [&] {
        if (showsProgress(title())) {
            form.stopTicks();
            titleWhileTyping = title();
            screenWhileTyping = form.surfaceOnScreen();
            form.focusOn("Text1");
            form.press(Key::End);
            form.type("75");
        }
    });
    form.graph();
    form.stopTicks();

    EXPECT_TRUE(showsProgress(titleWhileTyping)) << titleWhileTyping;
    EXPECT_EQ(text(TextField::Text1), "60075");
    EXPECT_EQ(title(), std::string(kTitle) + " - [MPE range is ~1m]");
    // The screen showed the chart in the making: the zone, and less than all of it.
    EXPECT_TRUE(isZoneRed(screenWhileTyping.at(400, 100)));
    EXPECT_FALSE(screenWhileTyping == form.surfaceOnScreen());
}

// A long sweep, 1 mm steps out to 1000 km, ended by the user at one of its
// first event pumps: the program's event loop ends with status 0 and nothing
// more is drawn; the curve, along the bottom from 2 m on, stops far short of
// the right edge.
TEST(FormEndTest, ExitAndTheCloseBoxEndTheProgramInTheMiddleOfASweep) {
    for (const bool exit : {true, false}) {
        const char* way = exit ? "Exit" : "close box";
        const std::unique_ptr<FormDriver> started = startForm();
        FormDriver& form = *started;
        form.obliging().setText(TextField::Text4, "1000000");
        form.obliging().setComboIndex(2);
        // The user's move comes once the sweep has begun, at one of its first
        // event pumps.
        const auto graphAndEnd = [&] {
            form.every(1, [&] {
                form.stopTicks();
                if (exit) {
                    form.click("Command2");
                } else {
                    form.closeBox();
                }
            });
            form.graph();
        };
        EXPECT_EQ(form.runProgram(graphAndEnd), 0) << way;
        EXPECT_FALSE(form.shown()) << way;
        EXPECT_FALSE(form.enabled("Command1")) << way;  // the command did not go on
        EXPECT_EQ(form.shownTitle().find("MPE"), std::string::npos) << way;
        const Picture picture = form.surface();
        for (int x = picture.width() / 2; x < picture.width(); ++x) {
            ASSERT_NE(picture.at(x, picture.height() - 1), kBlackPixel) << way;
        }
    }
}

}  // namespace
}  // namespace aurisplot::testing
