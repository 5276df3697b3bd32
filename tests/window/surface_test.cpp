// The plot surface: pixel mapping, raster operations, refusals, the emblem,
// and that held drawing reaches the screen only when shown.

#include <QSet>
#include <array>
#include <limits>

#include "form_fixture.h"
#include "window/emblem.h"

namespace aurisplot::testing {
namespace {

using SurfaceTest = FormTest;

// The interior as it is after clear(): the emblem at the top-left on white.
[[nodiscard]] QImage blankInterior(QSize size) {
    QImage expected(size, QImage::Format_RGB32);
    expected.fill(Qt::white);
    const QImage emblem = qImage(makeEmblem(1.0));
    for (int y = 0; y < std::min(size.height(), emblem.height()); ++y) {
        for (int x = 0; x < std::min(size.width(), emblem.width()); ++x) {
            expected.setPixel(x, y, emblem.pixel(x, y));
        }
    }
    return expected;
}

TEST(Emblem, HasItsSizeAndTwentyEightPaleGreys) {
    const QImage emblem = qImage(makeEmblem(1.0));
    EXPECT_EQ(emblem.size(), QSize(338, 323));
    QSet<int> greys;
    for (int y = 0; y < emblem.height(); ++y) {
        for (int x = 0; x < emblem.width(); ++x) {
            const QColor c = emblem.pixelColor(x, y);
            ASSERT_TRUE(c.red() == c.green() && c.green() == c.blue()) << x << "," << y;
            greys.insert(c.red());
        }
    }
    EXPECT_EQ(greys.size(), 28);
    EXPECT_EQ(*std::min_element(greys.begin(), greys.end()), 228);
    EXPECT_EQ(*std::max_element(greys.begin(), greys.end()), 255);
    EXPECT_EQ(emblem.pixelColor(0, 0), QColor(Qt::white));  // on a white ground
}

TEST_F(SurfaceTest, FreshSurfaceShowsOnlyTheEmblemOnWhiteInsideItsBorder) {
    EXPECT_EQ(form.scaleWidth(), 439.0F * 15);  // the border takes one pixel each side
    EXPECT_EQ(form.scaleHeight(), 319.0F * 15);
    const QImage& picture = form.Picture1->picture();
    EXPECT_EQ(picture, blankInterior(QSize(439, 319)));
    // The screen shows the picture one to one, inside a grey border.
    const QImage screen = form.Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(screen.copy(1, 1, 439, 319), picture);
    EXPECT_EQ(pixel(screen, 0, 0), QColor(128, 128, 128));
    EXPECT_EQ(pixel(screen, 440, 320), QColor(128, 128, 128));
}

TEST_F(SurfaceTest, DrawModesCopyThePenOrMaskWithIt) {
    struct Case {
        int mode;
        QColor beneath;
        Colour pen;
        QColor expected;
    };
    constexpr Colour red = rgb(255, 0, 0);
    const std::array cases{
        Case{kDrawModeMaskPen, Qt::white, red, QColor(255, 0, 0)},
        Case{kDrawModeMaskPen, QColor(228, 228, 228), red, QColor(228, 0, 0)},
        Case{kDrawModeMaskPen, Qt::black, red, Qt::black},
        Case{kDrawModeMaskPen, QColor(200, 100, 50), rgb(0xF0, 0x0F, 0xFF), QColor(192, 4, 50)},
        Case{kDrawModeCopyPen, QColor(228, 228, 228), rgb(0, 0, 255), QColor(0, 0, 255)},
        Case{kDrawModeCopyPen, Qt::white, rgb(0, 0, 0), Qt::black},
    };
    for (const Case& c : cases) {
        form.setDrawMode(kDrawModeCopyPen);
        const QColor b = c.beneath;
        form.fillBox(150, 150, 450, 450,
                     rgb(static_cast<std::uint8_t>(b.red()), static_cast<std::uint8_t>(b.green()),
                         static_cast<std::uint8_t>(b.blue())));
        form.setDrawMode(c.mode);
        form.drawLine(150, 300, 450, 300, c.pen);  // row 20, columns 10 to 30
        form.fillBox(150, 150, 450, 150, c.pen);   // row 10
        const QImage& picture = form.Picture1->picture();
        EXPECT_EQ(pixel(picture, 20, 20), c.expected)
            << c.mode << " over " << b.name().toStdString();
        EXPECT_EQ(pixel(picture, 20, 10), c.expected)
            << c.mode << " over " << b.name().toStdString();
        EXPECT_EQ(pixel(picture, 20, 25), b);  // untouched
    }
}

TEST_F(SurfaceTest, TwipsMapToThePixelThatHoldsThemEndsIncluded) {
    form.setDrawMode(kDrawModeCopyPen);
    form.drawLine(150, 74.9F, 300, 74.9F, rgb(0, 0, 0));    // row 4, columns 10 to 20
    form.drawLine(464.9F, 300, 464.9F, 15, rgb(0, 0, 0));   // column 30, rows 1 to 20
    form.fillBox(1200, 1200, 1050, 1064.9F, rgb(0, 0, 0));  // columns 70..80, rows 70..80
    const QImage& picture = form.Picture1->picture();
    QSet<QPoint> black;
    for (int x = 10; x <= 20; ++x) {
        black.insert({x, 4});
    }
    for (int y = 1; y <= 20; ++y) {
        black.insert({30, y});
    }
    for (int y = 70; y <= 80; ++y) {
        for (int x = 70; x <= 80; ++x) {
            black.insert({x, y});
        }
    }
    for (int y = 0; y <= 90; ++y) {
        for (int x = 0; x <= 90; ++x) {
            EXPECT_EQ(pixel(picture, x, y) == Qt::black, black.contains({x, y})) << x << "," << y;
        }
    }
}

TEST_F(SurfaceTest, SlantedLinesJoinTheirEndPointsEitherWay) {
    // The curve is drawn from each point back to the one before it.
    form.setDrawMode(kDrawModeCopyPen);
    const std::array<std::array<QPoint, 2>, 4> lines{{
        {QPoint(60, 40), QPoint(10, 10)},
        {QPoint(10, 50), QPoint(60, 70)},
        {QPoint(70, 10), QPoint(75, 60)},
        {QPoint(100, 60), QPoint(80, 10)},
    }};
    for (const auto& [from, to] : lines) {
        form.drawLine(static_cast<float>(from.x() * 15), static_cast<float>(from.y() * 15),
                      static_cast<float>(to.x() * 15), static_cast<float>(to.y() * 15),
                      rgb(0, 0, 0));
    }
    const QImage& picture = form.Picture1->picture();
    for (const auto& [from, to] : lines) {
        EXPECT_EQ(pixel(picture, from.x(), from.y()), QColor(Qt::black));
        EXPECT_EQ(pixel(picture, to.x(), to.y()), QColor(Qt::black));
        // One pixel per step along the longer axis.
        int lit = 0;
        const QRect box(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                        QPoint(std::max(from.x(), to.x()), std::max(from.y(), to.y())));
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                lit += pixel(picture, x, y) == Qt::black ? 1 : 0;
            }
        }
        EXPECT_EQ(lit, std::max(box.width(), box.height()));
    }
}

TEST_F(SurfaceTest, RefusesValuesItCannotDraw) {
    EXPECT_THROW(form.setDrawMode(7), WindowServiceError);
    EXPECT_THROW(form.setDrawWidth(0), WindowServiceError);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float huge = std::numeric_limits<float>::max();
    EXPECT_THROW(form.drawLine(nan, 0, 10, 10, 0), WindowServiceError);
    EXPECT_THROW(form.fillBox(0, 0, huge, 10, 0), WindowServiceError);
    EXPECT_THROW(form.setComboIndex(3), WindowServiceError);
    EXPECT_EQ(form.Picture1->picture(), blankInterior(QSize(439, 319)));  // nothing drawn
}

TEST_F(SurfaceTest, ClearBringsBackTheEmblemHeldOrNot) {
    for (const bool held : {false, true}) {
        if (held) {
            form.Picture1->hold();
        }
        form.setDrawMode(kDrawModeMaskPen);
        form.fillBox(1, 1, 6000, 4000, rgb(255, 0, 0));
        form.clear();
        form.Picture1->release();
        EXPECT_EQ(form.Picture1->picture(), blankInterior(QSize(439, 319))) << held;
    }
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST_F(SurfaceTest, HeldDrawingReachesTheScreenOnlyWhenShown) {
    QCoreApplication::processEvents();  // whatever was pending is painted now
    PaintCounter counter;
    form.Picture1->installEventFilter(&counter);
    form.Picture1->hold();
    for (int k = 0; k < 1000; ++k) {
        form.drawLine(static_cast<float>(k), 0, static_cast<float>(k), 4000, rgb(0, 0, 0));
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(counter.paints, 0);
    form.Picture1->showDrawing();
    EXPECT_EQ(counter.paints, 1);
    form.Picture1->release();
    form.drawLine(0, 0, 100, 100, rgb(0, 0, 0));  // not held: shown at the next event pass
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints == 2; }));
}

}  // namespace
}  // namespace aurisplot::testing
