// The plot surface as each window shows it: the canvas's picture one to one
// inside its border. The rules of the drawing are the canvas's own cases.

#include "form_driver.h"

namespace aurisplot::testing {
namespace {

using SurfaceTest = FormTest;

TEST_F(SurfaceTest, FreshSurfaceShowsOnlyTheEmblemOnWhiteInsideItsBorder) {
    Obliging surface = form.obliging();
    EXPECT_EQ(surface.scaleWidth(), 439.0F * 15);  // the border takes one pixel each side
    EXPECT_EQ(surface.scaleHeight(), 319.0F * 15);
    // The screen shows the picture one to one, inside a grey border.
    const Picture screen = form.surfaceOnScreen();
    EXPECT_TRUE(screen.crop({1, 1, 439, 319}) == blankSurface(1.0));
    EXPECT_EQ(screen.at(0, 0), rgb(128, 128, 128));
    EXPECT_EQ(screen.at(440, 320), rgb(128, 128, 128));
}

// A list entry the list does not have is refused, and nothing is selected.
TEST_F(SurfaceTest, RefusesAListEntryTheListDoesNotHave) {
    WindowServices& window = form.services();
    EXPECT_EQ(window.setComboIndex(3), Outcome::Refused);
    EXPECT_EQ(window.setComboIndex(-2), Outcome::Refused);
    EXPECT_EQ(form.obliging().comboText(), "1 m");
}

}  // namespace
}  // namespace aurisplot::testing
