// With QT_SCALE_FACTOR=2 (its own CTest entry): the same layout at twice the
// size, and the chart drawn at device resolution.

#include "form_fixture.h"
#include "window/emblem.h"

namespace aurisplot::testing {
namespace {

class HighDpi : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        if (form.devicePixelRatioF() != 2.0) {
            GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
        }
    }
};

TEST_F(HighDpi, LayoutIsTheSameAndTheChartIsSharp) {
    EXPECT_EQ(form.size(), QSize(542, 434));
    EXPECT_EQ(form.Command1->geometry(), QRect(368, 392, 81, 33));
    EXPECT_EQ(form.scaleWidth(), 439.0F * 15);  // twips do not change with the display

    const QImage& picture = form.Picture1->picture();
    ASSERT_EQ(picture.size(), QSize(878, 638));
    EXPECT_EQ(picture.copy(0, 0, 676, 638), makeEmblem(2.0).copy(0, 0, 676, 638));

    form.Command1->click();
    ASSERT_TRUE(waitForResult("2m"));
    // The limit marker at x = 1317 twips is one logical pixel, two device pixels, wide.
    for (int x = 172; x <= 178; ++x) {
        EXPECT_EQ(picture.pixelColor(x, 600) == Qt::blue, x == 175 || x == 176) << x;
    }
    // Only the chart's own colours: nothing blurred into in-between shades.
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            const bool grey = c.red() == c.green() && c.green() == c.blue() && c.red() >= 228;
            const bool zone = c.green() == 0 && c.blue() == 0 && c.red() >= 228;
            const bool pen = c == Qt::black || c == Qt::blue;
            ASSERT_TRUE(grey || zone || pen) << x << "," << y;
        }
    }
    // The screen shows it one to one.
    const QImage screen = form.Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(screen.size(), QSize(882, 642));
    EXPECT_EQ(screen.copy(2, 2, 878, 638), picture);
}

}  // namespace
}  // namespace aurisplot::testing
