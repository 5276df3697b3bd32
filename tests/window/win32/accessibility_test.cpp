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

// Windows' screen readers name a field, a list or a button by the label made
// just before it, or by its own caption. Wine presents only fields and
// buttons that way, so the list's caption is checked by the order itself.
TEST_F(AccessibilityTest, FieldsAreNamedByTheirCaptionsAndTheChartSaysWhatItShows) {
    struct Expected {
        const char* control;
        std::wstring name;
    };
    const Expected expected[] = {
        {"Command1", L"Graph"},
        {"Command2", L"Exit"},
        {"Text1", L"Source Power:"},
        {"Text2", L"Antenna Gain:"},
        {"Check1", L"Grid"},
        {"Text3", L"Vertical full scale in milliwatts per square centimetre"},
        {"Text4", L"Horizontal full scale in metres"},
    };
    for (const Expected& control : expected) {
        EXPECT_EQ(presented(form.control(control.control)).name, control.name) << control.control;
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
