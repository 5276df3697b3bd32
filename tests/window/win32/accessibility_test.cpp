// Form1 as Windows screen readers see it, through MSAA.

#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <utility>

#include "msaa.h"
#include "window/win32/main_window.h"
#include "window/win32/wide_text.h"

namespace aurisplot::testing {
namespace {

class AccessibilityTest : public ::testing::Test {
  protected:
    AccessibilityTest() {
        form.core().Form_Load();
        form.show();
    }
    win32::Form1 form;
};

// The captions come just before the controls they name, where screen readers
// also look; the chart is presented as one, and says what it shows.
TEST_F(AccessibilityTest, CaptionsPrecedeTheirControlsAndTheChartSaysWhatItShows) {
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
