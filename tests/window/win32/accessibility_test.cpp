// Form1 as Windows screen readers see it, through MSAA.

#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <utility>

#include "window/win32/main_window.h"
#include "window/win32/wide_text.h"

namespace aurisplot::testing {
namespace {

struct Presented {
    std::wstring name;
    long role = 0;
    std::wstring description;
};

[[nodiscard]] std::wstring taken(BSTR text) {
    std::wstring value = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return value;
}

// What the system's accessibility layer presents for a window's client area.
[[nodiscard]] Presented presented(HWND window) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible)))) {
        ADD_FAILURE() << "no accessible object";
        return {};
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    Presented result;
    BSTR text = nullptr;
    if (SUCCEEDED(accessible->get_accName(self, &text))) {
        result.name = taken(text);
    }
    text = nullptr;
    if (SUCCEEDED(accessible->get_accDescription(self, &text))) {
        result.description = taken(text);
    }
    VARIANT role{};
    if (SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4) {
        result.role = role.lVal;
    }
    accessible->Release();
    return result;
}

class AccessibilityTest : public ::testing::Test {
  protected:
    AccessibilityTest() {
        form.core().Form_Load();
        form.show();
    }
    win32::Form1 form;
};

// Every control is named as the design names it, as on every window, and a
// field is described by its unit; the captions still come just before the
// controls they name, where screen readers also look.
TEST_F(AccessibilityTest, ControlsHaveTheDesignsNamesAndTheChartSaysWhatItShows) {
    struct Expected {
        const char* control;
        std::wstring name;
        std::wstring description;
    };
    const Expected expected[] = {
        {"Command1", L"Graph", L""},
        {"Command2", L"Exit", L""},
        {"Text1", L"Source power in watts", L"Watts"},
        {"Text2", L"Antenna gain in dBi", L"dBi"},
        {"Text3", L"Vertical full scale in milliwatts per square centimetre", L""},
        {"Text4", L"Horizontal full scale in metres", L""},
        {"Combo1", L"Graph Resolution", L""},
        {"Check1", L"Draw grid", L""},
    };
    for (const Expected& control : expected) {
        const Presented shown = presented(form.control(control.control));
        EXPECT_EQ(shown.name, control.name) << control.control;
        EXPECT_EQ(shown.description, control.description) << control.control;
    }
    for (const auto& [caption, control] :
         {std::pair{"Label1", "Text1"}, std::pair{"Label2", "Text2"},
          std::pair{"Label3", "Combo1"}}) {
        EXPECT_EQ(GetWindow(form.control(control), GW_HWNDPREV), form.control(caption)) << control;
    }
    const Presented chart = presented(form.control("Picture1"));
    EXPECT_EQ(chart.name, L"Exposure chart");
    EXPECT_EQ(chart.role, ROLE_SYSTEM_CHART);
    EXPECT_EQ(chart.description, L"Nothing drawn yet");

    form.core().Command1_Click();
    EXPECT_EQ(presented(form.control("Picture1")).description,
              win32::wide("Power density of 600 W at 2.2 dBi: below the 5 mW/cm² limit from 2 m"));
}

}  // namespace
}  // namespace aurisplot::testing
