// The started window against its design: frame, places, lines and defaults.

#include <array>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "form_driver.h"
#include "window/form_layout.h"

namespace aurisplot::testing {
namespace {

struct Place {
    std::string_view name;
    PixelRect pixels;
};

// The design's twips divided by 15 by hand, so that the conversion is checked too.
constexpr std::array kPlaces{
    Place{"Picture1", {88, 8, 441, 321}},  Place{"Command1", {368, 392, 81, 33}},
    Place{"Command2", {456, 392, 81, 33}}, Place{"Text1", {80, 384, 49, 19}},
    Place{"Text2", {80, 408, 49, 19}},     Place{"Text3", {16, 8, 49, 19}},
    Place{"Text4", {480, 352, 49, 19}},    Place{"Label10", {136, 384, 28, 13}},
    Place{"Label9", {136, 408, 15, 13}},   Place{"Label8", {264, 352, 59, 13}},
    Place{"Label7", {8, 136, 56, 13}},     Place{"Label6", {88, 352, 6, 13}},
    Place{"Label5", {56, 320, 6, 13}},     Place{"Label2", {8, 408, 68, 13}},
    Place{"Label1", {8, 384, 70, 13}},     Place{"Combo1", {184, 400, 81, 21}},
    Place{"Label3", {184, 384, 85, 13}},   Place{"Check1", {296, 400, 49, 13}},
};

using LayoutTest = FormTest;

TEST_F(LayoutTest, WindowIsFixedAtItsDesignSizeWithACloseBoxOnly) {
    EXPECT_EQ(form.client(), (PixelRect{0, 0, 542, 434}));
    const Frame frame = form.frame();
    EXPECT_TRUE(frame.closeBox);
    EXPECT_FALSE(frame.minimiseBox);
    EXPECT_FALSE(frame.maximiseBox);
    EXPECT_FALSE(frame.resizable);
    EXPECT_EQ(title(), kTitle);
    for (const int size : {16, 32, 48}) {
        EXPECT_TRUE(form.hasIcon(size)) << size;
    }
}

TEST_F(LayoutTest, EveryControlSitsWhereTheDesignPutsIt) {
    for (const Place& place : kPlaces) {
        EXPECT_EQ(form.place(place.name), place.pixels) << place.name;
    }
}

using Pixels = std::set<std::pair<int, int>>;

// Whether the window shows `colour` at exactly the pixels of `expected` within
// `area`, and not at the others.
void expectColourExactlyAt(const Picture& shot, PixelRect area, const Pixels& expected,
                           Colour colour, std::string_view what) {
    int wrong = 0;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            const bool lit = shot.at(x, y) == colour;
            if (lit != expected.contains({x, y}) && ++wrong <= 3) {
                ADD_FAILURE() << what << " at (" << x << ", " << y << ")";
            }
        }
    }
    EXPECT_EQ(wrong, 0) << what;
}

// Grown one pixel around each shape, so a line one pixel too long shows.
TEST_F(LayoutTest, RulersAndDividersAreDrawnAtTheirPixels) {
    const Picture shot = form.clientOnScreen();
    Pixels ruler1;
    Pixels ruler2;
    for (int k = 0; k <= 40; ++k) {  // 41 ticks, the last at y = 4920 twips
        for (int x = 72; x <= 80; ++x) {
            ruler1.insert({x, 8 + 8 * k});
        }
    }
    for (int k = 0; k <= 55; ++k) {  // 56 ticks, the last at x = 7920 twips
        for (int y = 336; y <= 344; ++y) {
            ruler2.insert({88 + 8 * k, y});
        }
    }
    // Out to the window's edge and the other ruler, where a tick too many would show.
    expectColourExactlyAt(shot, {71, 0, 11, 347}, ruler1, kGreenPixel, "Line1");
    expectColourExactlyAt(shot, {81, 335, 461, 11}, ruler2, kGreenPixel, "Line2");

    Pixels rule;
    for (int x = 8; x <= 528; ++x) {
        rule.insert({x, 376});
    }
    expectColourExactlyAt(shot, {7, 375, 523, 3}, rule, kWhitePixel, "Line3");
    for (const int x : {176, 280, 352}) {
        Pixels divider;
        for (int y = 384; y <= 424; ++y) {
            divider.insert({x, y});
        }
        expectColourExactlyAt(shot, {x - 1, 383, 3, 43}, divider, kWhitePixel, "divider");
    }
}

// Each ruler has as many ticks as the layout table gives it, the last where
// the table puts it: counted along a line through the ticks, across the whole
// chart area down to the rule above the control panel (below it, a line
// through the vertical ruler crosses the captions).
TEST_F(LayoutTest, RulersHaveTheirTicksAndEndWhereTheLayoutSays) {
    const Picture shot = form.clientOnScreen();
    struct Scan {
        std::string_view ruler;
        bool down;   // the ticks follow each other downward, else rightward
        int across;  // the column or row that crosses every tick
    };
    for (const Scan scan : {Scan{"Line1", true, 76}, Scan{"Line2", false, 340}}) {
        const layout::LineShape& shape = layout::line(scan.ruler);
        std::vector<int> ticks;
        const int length = scan.down ? layout::pixels(layout::line("Line3").y1) : shot.width();
        for (int along = 0; along < length; ++along) {
            const Colour at = scan.down ? shot.at(scan.across, along) : shot.at(along, scan.across);
            if (at == kGreenPixel) {
                ticks.push_back(along);
            }
        }
        const int first = layout::pixels(scan.down ? shape.y1 : shape.x1);
        const int pitch = layout::pixels(scan.down ? shape.pitchY : shape.pitchX);
        ASSERT_EQ(ticks.size(), static_cast<std::size_t>(shape.copies)) << scan.ruler;
        EXPECT_EQ(ticks.front(), first) << scan.ruler;
        EXPECT_EQ(ticks.back(), first + (shape.copies - 1) * pitch) << scan.ruler;
    }
}

TEST_F(LayoutTest, FreshWindowShowsTheDesignDefaults) {
    EXPECT_EQ(text(TextField::Text1), "600");
    EXPECT_EQ(text(TextField::Text2), "2.2");
    EXPECT_EQ(text(TextField::Text3), "20");
    EXPECT_EQ(text(TextField::Text4), "10");
    EXPECT_EQ(form.comboItems(), (std::vector<std::string>{"1 m", "1 cm", "1 mm"}));
    EXPECT_EQ(form.obliging().comboText(), "1 m");
    EXPECT_EQ(form.obliging().checkState(), 0);
    EXPECT_EQ(form.focus(), "Picture1");
    EXPECT_TRUE(form.enabled("Command1"));
    EXPECT_EQ(form.textOf("Command1"), "&Graph");
    EXPECT_EQ(form.textOf("Command2"), "E&xit");
    for (const std::string_view field : {"Text1", "Text2", "Text3", "Text4"}) {
        EXPECT_GT(form.textLimit(field), 1'000'000) << field;
    }
}

// Screen readers hear the same names on every window, and a field's unit as
// its description; the chart says that nothing is drawn yet.
TEST_F(LayoutTest, EveryControlHasTheSameAccessibleNameOnEveryWindow) {
    struct Expected {
        std::string_view control;
        std::string_view name;
        std::string_view description;
    };
    constexpr std::array kExpected{
        Expected{"Picture1", "Exposure chart", "Nothing drawn yet"},
        Expected{"Command1", "Graph", ""},
        Expected{"Command2", "Exit", ""},
        Expected{"Text1", "Source power in watts", "Watts"},
        Expected{"Text2", "Antenna gain in dBi", "dBi"},
        Expected{"Text3", "Vertical full scale in milliwatts per square centimetre", ""},
        Expected{"Text4", "Horizontal full scale in metres", ""},
        Expected{"Combo1", "Graph Resolution", ""},
        Expected{"Check1", "Draw grid", ""},
    };
    for (const Expected& control : kExpected) {
        EXPECT_EQ(form.accessibleName(control.control), control.name) << control.control;
        EXPECT_EQ(form.accessibleDescription(control.control), control.description)
            << control.control;
    }
}

}  // namespace
}  // namespace aurisplot::testing
