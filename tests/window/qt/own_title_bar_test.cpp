// The title bar of the window's own, on a window made the way Form1 is: fixed
// size, a close box only, children placed by hand on a black ground.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTest>

#include "window/qt/own_title_bar.h"

namespace aurisplot {
namespace {

class FixedWindow final : public QWidget {
  public:
    FixedWindow() {
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
        setFixedSize(542, 434);
        setWindowTitle(QStringLiteral("Quarnel Labs - Aurisplot"));
        QPalette black = palette();
        black.setColor(QPalette::Window, Qt::black);
        setPalette(black);
        setAutoFillBackground(true);
        child->setGeometry(88, 8, 441, 321);
    }
    QLabel* const child = new QLabel(this);  // owned by the window
    int closes = 0;

  protected:
    void closeEvent(QCloseEvent* event) override {
        ++closes;
        event->accept();
    }
};

class OwnTitleBar : public ::testing::Test {
  protected:
    FixedWindow window;
    QWidget* const bar = addOwnTitleBar(window);
};

TEST(OwnTitleBarPlatforms, OnlyWaylandWearsIt) {
    EXPECT_TRUE(wantsOwnTitleBar(QStringLiteral("wayland")));
    EXPECT_TRUE(wantsOwnTitleBar(QStringLiteral("wayland-egl")));
    EXPECT_FALSE(wantsOwnTitleBar(QStringLiteral("xcb")));
    EXPECT_FALSE(wantsOwnTitleBar(QStringLiteral("offscreen")));
}

// Qt drops the frameless hint of a window that asks for a close button, and
// would then draw its own frame around the bar.
TEST_F(OwnTitleBar, TheWindowLosesThePlatformFrame) {
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(OwnTitleBar, SitsAboveTheContentsWhichKeepTheirPlaces) {
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 542, bar->height()));
    EXPECT_GT(bar->height(), 0);
    EXPECT_EQ(window.child->geometry(), QRect(88, 8 + bar->height(), 441, 321));
    EXPECT_EQ(window.minimumSize(), QSize(542, 434 + bar->height()));
    EXPECT_EQ(window.maximumSize(), window.minimumSize());
}

TEST_F(OwnTitleBar, OffersOnlyACloseBoxWhichClosesTheWindow) {
    const QList<QAbstractButton*> buttons = bar->findChildren<QAbstractButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.front()->accessibleName(), "Close");
    EXPECT_EQ(buttons.front()->focusPolicy(), Qt::NoFocus);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(buttons.front(), Qt::LeftButton);
    EXPECT_EQ(window.closes, 1);
}

// The bar is painted in the desktop's colours, not in the window's black.
TEST_F(OwnTitleBar, WearsTheDesktopColours) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shot = window.grab(bar->geometry()).toImage();
    const QColor ground = QApplication::palette().color(QPalette::Active, QPalette::Window);
    ASSERT_NE(ground, QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(bar->width() / 4, 2), ground);
}

// The icon at the left margin, centred on the bar's height; the title between
// the icon and the close box, cut short where it is too long, over neither.
TEST_F(OwnTitleBar, PutsTheIconLeftAndTheTitleBetweenIconAndCloseBox) {
    constexpr int kIcon = 16;
    constexpr int kMargin = 8;
    QPixmap red(kIcon, kIcon);
    red.fill(Qt::red);
    window.setWindowIcon(QIcon(red));
    window.setWindowTitle(QString(300, QLatin1Char('W')));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shot = bar->grab().toImage();
    const auto isRed = [&](int x, int y) { return shot.pixelColor(x, y) == QColor(Qt::red); };
    const int top = (bar->height() - kIcon) / 2;
    EXPECT_TRUE(isRed(kMargin, top));
    EXPECT_TRUE(isRed(kMargin + kIcon - 1, top + kIcon - 1));
    EXPECT_FALSE(isRed(kMargin - 1, top));
    EXPECT_FALSE(isRed(kMargin + kIcon, top));
    EXPECT_FALSE(isRed(kMargin, top - 1));
    EXPECT_FALSE(isRed(kMargin, top + kIcon));

    // Nothing but the bar's ground beside the icon and before the close box:
    // the title keeps a margin and an icon's width clear at either end.
    const QColor ground = QApplication::palette().color(QPalette::Active, QPalette::Window);
    const QAbstractButton* close = bar->findChild<QAbstractButton*>();
    ASSERT_NE(close, nullptr);
    const int reserved = kMargin + kIcon + kMargin;
    bool titled = false;
    for (int y = 0; y < bar->height() - 1; ++y) {  // the last row is the bar's edge
        for (int x = kMargin + kIcon; x < reserved; ++x) {
            ASSERT_EQ(shot.pixelColor(x, y), ground) << x << "," << y;
        }
        for (int x = bar->width() - reserved; x < close->x(); ++x) {
            ASSERT_EQ(shot.pixelColor(x, y), ground) << x << "," << y;
        }
        for (int x = reserved; x < bar->width() - reserved; ++x) {
            titled = titled || shot.pixelColor(x, y) != ground;
        }
    }
    EXPECT_TRUE(titled);
}

}  // namespace
}  // namespace aurisplot

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();  // listing needs no display
    }
    // Qt's offscreen platform and its own defaults, whatever the caller's desktop.
    for (const char* setting : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_STYLE_OVERRIDE",
                                "QT_QPA_PLATFORMTHEME", "QT_FONT_DPI"}) {
        qunsetenv(setting);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
