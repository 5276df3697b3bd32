#pragma once

// The design of the main window, Form1, as data: every control and every line
// shape with its design-time properties, in twips, the window's own unit.
// Positions are the outer top-left corner relative to the client area's
// top-left corner, x to the right, y downward. Nothing here depends on a toolkit, so
// the tables can be read against the design line by line, and every window is
// made from the same ones.

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "engine/window_services.h"

namespace aurisplot::layout {

// 1440 twips to the inch, 96 pixels to the inch: 15 twips make one pixel.
inline constexpr int kTwipsPerPixel = 15;

// The one place where twips become (device-independent) pixels.
[[nodiscard]] constexpr int pixels(int twips) {
    return twips / kTwipsPerPixel;
}

// Twips as device pixels at `dpi` dots per inch (96 is one pixel a pixel).
[[nodiscard]] constexpr int devicePixels(int twips, int dpi) {
    return twips * dpi / 1440;
}

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

enum class Kind { PlotSurface, PushButton, TextField, Label, DropDownList, CheckBox };

// A kind by its name, as a toolkit outside C++ (the page) builds it.
[[nodiscard]] constexpr std::string_view kindName(Kind kind) {
    constexpr std::array<std::string_view, 6> kNames = {"PlotSurface", "PushButton",   "TextField",
                                                        "Label",       "DropDownList", "CheckBox"};
    return kNames.at(static_cast<std::size_t>(kind));
}

// The letter a caption marks with "&" as its access key, in upper case; 0
// when it marks none ("&&" is a plain "&").
[[nodiscard]] constexpr char accessKey(std::string_view caption) {
    for (std::size_t at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] == '&') {
            if (caption[at + 1] != '&') {
                const char key = caption[at + 1];
                return key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
            }
            ++at;
        }
    }
    return 0;
}

// How a control is coloured.
enum class Look {
    Surface,    // white ground, thin fixed border
    WhiteFace,  // push button: white face, standard caption colour
    Standard,   // the platform's colours: dark text on a light field
    Chart,      // text field: black ground, green text, as the axis numbers
    Switch,     // check box: black ground, green caption, standard box
    Caption,    // label: transparent background, green text
};

struct Control {
    int tabIndex;
    std::string_view name;
    Kind kind;
    TwipRect place;
    std::string_view caption;  // caption or initial text
    Look look;
    std::string_view accessibleName;  // what a screen reader announces; labels need none
};

inline constexpr Colour kGreen = rgb(0, 255, 0);
inline constexpr Colour kWhite = rgb(255, 255, 255);

// The window: client area 542 x 434 pixels, black, fixed size.
inline constexpr int kClientWidth = 8130;
inline constexpr int kClientHeight = 6510;
inline constexpr Colour kFormBackground = rgb(0, 0, 0);

// What the window's frame lets the user do to it.
struct Frame {
    bool closeBox;
    bool minimiseBox;
    bool maximiseBox;
    bool resizable;
};

inline constexpr Frame kFrame{
    .closeBox = true, .minimiseBox = false, .maximiseBox = false, .resizable = false};

// The window's font. The design's is the 8-point interface face of the
// platform it was made on; where that face is missing, the first of the
// stand-ins present is used at 10 pixels, in which every caption fits its
// label's width.
struct Font {
    std::string_view face;
    int points;
    std::array<std::string_view, 6> standIns;
    int standInPixels;
};

inline constexpr Font kFont{
    .face = "MS Sans Serif",
    .points = 8,
    .standIns = {"DejaVu Sans Condensed", "Arial", "Liberation Sans", "Arimo", "Helvetica",
                 "Nimbus Sans"},
    .standInPixels = 10,
};

// The controls in tab order. Labels take no focus; their width is that of their
// caption in the window's font.
inline constexpr std::array kControls{
    // clang-format off
    //      tab  name        kind                 left   top  width height  caption              look             accessible name
    Control{ 0, "Picture1", Kind::PlotSurface,  {1320,  120, 6615, 4815}, "",                  Look::Surface,   "Exposure chart"},
    Control{ 1, "Command1", Kind::PushButton,   {5520, 5880, 1215,  495}, "&Graph",            Look::WhiteFace, "Graph"},
    Control{ 2, "Command2", Kind::PushButton,   {6840, 5880, 1215,  495}, "E&xit",             Look::WhiteFace, "Exit"},
    Control{ 3, "Text1",    Kind::TextField,    {1200, 5760,  735,  285}, "600",               Look::Standard,  "Source power in watts"},
    Control{ 4, "Text2",    Kind::TextField,    {1200, 6120,  735,  285}, "2.2",               Look::Standard,  "Antenna gain in dBi"},
    Control{ 5, "Text3",    Kind::TextField,    { 240,  120,  735,  285}, "20",                Look::Chart,     "Vertical full scale in milliwatts per square centimetre"},
    Control{ 6, "Text4",    Kind::TextField,    {7200, 5280,  735,  285}, "10",                Look::Chart,     "Horizontal full scale in metres"},
    Control{ 7, "Label10",  Kind::Label,        {2040, 5760,  420,  195}, "Watts",             Look::Caption,   ""},
    Control{ 8, "Label9",   Kind::Label,        {2040, 6120,  225,  195}, "dBi",               Look::Caption,   ""},
    Control{ 9, "Label8",   Kind::Label,        {3960, 5280,  885,  195}, "Distance (m)",      Look::Caption,   ""},
    Control{10, "Label7",   Kind::Label,        { 120, 2040,  840,  195}, "(mW/cm^2)",         Look::Caption,   ""},
    Control{11, "Label6",   Kind::Label,        {1320, 5280,   90,  195}, "0",                 Look::Caption,   ""},
    Control{12, "Label5",   Kind::Label,        { 840, 4800,   90,  195}, "0",                 Look::Caption,   ""},
    Control{13, "Label2",   Kind::Label,        { 120, 6120, 1020,  195}, "Antenna Gain:",     Look::Caption,   ""},
    Control{14, "Label1",   Kind::Label,        { 120, 5760, 1050,  195}, "Source Power:",     Look::Caption,   ""},
    Control{15, "Combo1",   Kind::DropDownList, {2760, 6000, 1215,  315}, "",                  Look::Standard,  "Graph Resolution"},
    Control{16, "Label3",   Kind::Label,        {2760, 5760, 1275,  195}, "Graph Resolution:", Look::Caption,   ""},
    Control{17, "Check1",   Kind::CheckBox,     {4440, 6000,  735,  195}, "Grid",              Look::Switch,    "Draw grid"},
    // clang-format on
};

// How a label serves a control for assistive tools: a caption names the
// control (its label relation), a unit describes it.
enum class Tie { Caption, Unit };

struct LabelTie {
    std::string_view label;
    std::string_view control;
    Tie tie;
};

inline constexpr std::array kLabelTies{
    LabelTie{"Label1", "Text1", Tie::Caption},   // "Source Power:"
    LabelTie{"Label2", "Text2", Tie::Caption},   // "Antenna Gain:"
    LabelTie{"Label3", "Combo1", Tie::Caption},  // "Graph Resolution:"
    LabelTie{"Label10", "Text1", Tie::Unit},     // "Watts"
    LabelTie{"Label9", "Text2", Tie::Unit},      // "dBi"
};

// A line shape on the window's background, horizontal or vertical, 1 pixel
// wide and solid, both end points included. A ruler repeats its first segment `copies` times,
// shifted by (pitchX, pitchY) each time.
struct LineShape {
    std::string_view name;
    Colour colour;
    int x1;
    int y1;
    int x2;
    int y2;
    int copies;
    int pitchX;
    int pitchY;
};

// Calls f(left, top, right, bottom) in twips for each segment of a line
// shape, end points included, whichever way the shape was drawn.
template <typename F>
constexpr void forEachSegment(const LineShape& shape, F&& f) {
    for (int k = 0; k < shape.copies; ++k) {
        const int dx = k * shape.pitchX;
        const int dy = k * shape.pitchY;
        f(std::min(shape.x1, shape.x2) + dx, std::min(shape.y1, shape.y2) + dy,
          std::max(shape.x1, shape.x2) + dx, std::max(shape.y1, shape.y2) + dy);
    }
}

inline constexpr std::array kLines{
    // clang-format off
    //        name     colour   x1    y1    x2    y2  copies pitch x, y
    LineShape{"Line1", kGreen, 1080,  120, 1200,  120, 41,   0, 120},  // vertical-axis ruler
    LineShape{"Line2", kGreen, 1320, 5040, 1320, 5160, 56, 120,   0},  // horizontal-axis ruler
    LineShape{"Line3", kWhite, 7920, 5640,  120, 5640,  1,   0,   0},  // rule above the control panel
    LineShape{"Line4", kWhite, 2640, 5760, 2640, 6360,  1,   0,   0},  // divider after the inputs
    LineShape{"Line5", kWhite, 4200, 5760, 4200, 6360,  1,   0,   0},  // divider after the resolution
    LineShape{"Line6", kWhite, 5280, 5760, 5280, 6360,  1,   0,   0},  // divider before the commands
    // clang-format on
};

// The plot surface: a border of one pixel, white ground, and an emblem of
// 338 x 323 pixels behind the chart. Every drawing operation names its colour.
inline constexpr int kSurfaceBorderPixels = 1;
inline constexpr Colour kSurfaceBorder = rgb(128, 128, 128);
inline constexpr Colour kSurfaceBackground = rgb(255, 255, 255);

[[nodiscard]] constexpr const Control& control(std::string_view name) {
    for (const Control& c : kControls) {
        if (c.name == name) {
            return c;
        }
    }
    throw std::logic_error("no such control in the layout");
}

// The plot surface's interior, inside its border, in pixels of the layout:
// what the picture covers at one device pixel a pixel.
struct Size {
    int width;
    int height;
};

inline constexpr Size kPictureInterior{
    pixels(control("Picture1").place.width) - 2 * kSurfaceBorderPixels,
    pixels(control("Picture1").place.height) - 2 * kSurfaceBorderPixels};

// Where a control stands in kControls, which is also the tab order.
[[nodiscard]] constexpr std::size_t indexOf(std::string_view name) {
    return static_cast<std::size_t>(&control(name) - kControls.data());
}

// The caption label that names `control`, if one does.
[[nodiscard]] constexpr const LabelTie* captionOf(std::string_view control) {
    for (const LabelTie& tie : kLabelTies) {
        if (tie.tie == Tie::Caption && tie.control == control) {
            return &tie;
        }
    }
    return nullptr;
}

// The unit label that describes `control`, if one does.
[[nodiscard]] constexpr const LabelTie* unitOf(std::string_view control) {
    for (const LabelTie& tie : kLabelTies) {
        if (tie.tie == Tie::Unit && tie.control == control) {
            return &tie;
        }
    }
    return nullptr;
}

[[nodiscard]] constexpr bool isCaption(std::string_view label) {
    return std::any_of(kLabelTies.begin(), kLabelTies.end(), [label](const LabelTie& tie) {
        return tie.tie == Tie::Caption && tie.label == label;
    });
}

// Whether a control takes the keyboard focus: all but the labels.
[[nodiscard]] constexpr bool takesFocus(const Control& control) {
    return control.kind != Kind::Label;
}

// The colours a look sets; what it leaves unset stays the platform's.
struct LookColours {
    std::optional<Colour> ground;  // the field's, face's or caption's background
    std::optional<Colour> text;
};

[[nodiscard]] constexpr LookColours coloursOf(Look look) {
    switch (look) {
        case Look::WhiteFace:
            return {.ground = kWhite, .text = std::nullopt};
        case Look::Chart:
        case Look::Switch:
            return {.ground = kFormBackground, .text = kGreen};
        case Look::Caption:
            return {.ground = std::nullopt, .text = kGreen};
        case Look::Surface:
        case Look::Standard:
            break;
    }
    return {};
}

// A rectangle of device pixels: left and top included, right and bottom not.
struct DeviceRect {
    int left;
    int top;
    int right;
    int bottom;
};

// Calls f(DeviceRect) for the device pixels of each segment of a line shape at
// `dpi` (96 is one device pixel a pixel): from one end point to the other, one
// pen wide, which is one pixel at 96 dpi.
template <typename F>
constexpr void forEachSegmentRect(const LineShape& shape, int dpi, int penPixels, F&& f) {
    forEachSegment(shape, [&](int left, int top, int right, int bottom) {
        f(DeviceRect{devicePixels(left, dpi), devicePixels(top, dpi),
                     devicePixels(right, dpi) + penPixels, devicePixels(bottom, dpi) + penPixels});
    });
}

[[nodiscard]] constexpr const LineShape& line(std::string_view name) {
    for (const LineShape& l : kLines) {
        if (l.name == name) {
            return l;
        }
    }
    throw std::logic_error("no such line in the layout");
}

[[nodiscard]] constexpr bool wholePixels(int twips) {
    return twips % kTwipsPerPixel == 0;
}

// Every design value lies on the pixel grid, so converting it loses nothing,
// and every line shape is horizontal or vertical.
[[nodiscard]] consteval bool drawableAsDesigned() {
    bool all = wholePixels(kClientWidth) && wholePixels(kClientHeight);
    for (const Control& c : kControls) {
        all = all && wholePixels(c.place.left) && wholePixels(c.place.top) &&
              wholePixels(c.place.width) && wholePixels(c.place.height);
    }
    for (const LineShape& l : kLines) {
        all = all && wholePixels(l.x1) && wholePixels(l.y1) && wholePixels(l.x2) &&
              wholePixels(l.y2) && wholePixels(l.pitchX) && wholePixels(l.pitchY) &&
              (l.x1 == l.x2 || l.y1 == l.y2);
    }
    return all;
}
static_assert(drawableAsDesigned());

}  // namespace aurisplot::layout
