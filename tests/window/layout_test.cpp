// The started window against its design: places, lines, defaults, font, keys.

#include <QFontInfo>
#include <QFontMetrics>
#include <QSet>
#include <array>
#include <string_view>
#include <vector>

#include "form_fixture.h"
#include "window/form_layout.h"

namespace aurisplot::testing {
namespace {

struct Place {
    std::string_view name;
    QRect pixels;
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

TEST_F(LayoutTest, WindowIsFixedAtItsDesignSize) {
    EXPECT_EQ(form.size(), QSize(542, 434));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(title(), kTitle);
    const QList<QSize> iconSizes = form.windowIcon().availableSizes();
    for (const QSize size : {QSize(16, 16), QSize(32, 32), QSize(48, 48)}) {
        EXPECT_TRUE(iconSizes.contains(size)) << size.width();
    }
}

TEST_F(LayoutTest, EveryControlSitsWhereTheDesignPutsIt) {
    for (const Place& place : kPlaces) {
        const auto* control = form.findChild<QWidget*>(QString::fromUtf8(place.name.data()));
        ASSERT_NE(control, nullptr) << place.name;
        EXPECT_EQ(control->geometry(), place.pixels) << place.name;
        EXPECT_EQ(control->parentWidget(), &form) << place.name;
    }
}

// Whether the window shows colour `colour` at exactly the pixels of `expected`
// within `area`, and not at the others.
void expectColourExactlyAt(const QImage& shot, QRect area, const QSet<QPoint>& expected,
                           QColor colour, std::string_view what) {
    int wrong = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const bool lit = pixel(shot, x, y) == colour;
            if (lit != expected.contains(QPoint(x, y)) && ++wrong <= 3) {
                ADD_FAILURE() << what << " at (" << x << ", " << y << ")";
            }
        }
    }
    EXPECT_EQ(wrong, 0) << what;
}

TEST_F(LayoutTest, RulersAndDividersAreDrawnAtTheirPixels) {
    // Grown one pixel around each shape, so a line one pixel too long shows.
    const QImage shot = form.grab().toImage();
    QSet<QPoint> ruler1;
    QSet<QPoint> ruler2;
    for (int k = 0; k <= 40; ++k) {
        for (int x = 72; x <= 80; ++x) {
            ruler1.insert({x, 8 + 8 * k});
        }
    }
    for (int k = 0; k <= 55; ++k) {
        for (int y = 336; y <= 344; ++y) {
            ruler2.insert({88 + 8 * k, y});
        }
    }
    // Out to the window's edge and the other ruler, where a tick too many would show.
    expectColourExactlyAt(shot, {71, 0, 11, 347}, ruler1, Qt::green, "Line1");
    expectColourExactlyAt(shot, {81, 335, 461, 11}, ruler2, Qt::green, "Line2");

    QSet<QPoint> rule;
    for (int x = 8; x <= 528; ++x) {
        rule.insert({x, 376});
    }
    expectColourExactlyAt(shot, {7, 375, 523, 3}, rule, Qt::white, "Line3");
    for (const int x : {176, 280, 352}) {
        QSet<QPoint> divider;
        for (int y = 384; y <= 424; ++y) {
            divider.insert({x, y});
        }
        expectColourExactlyAt(shot, {x - 1, 383, 3, 43}, divider, Qt::white, "divider");
    }
}

// Each ruler has as many ticks as the layout table gives it, the last where
// the table puts it: counted along a line through the ticks, across the whole
// window.
TEST_F(LayoutTest, RulersHaveTheirTicksAndEndWhereTheLayoutSays) {
    const QImage shot = form.grab().toImage();
    struct Scan {
        std::string_view ruler;
        bool down;   // the ticks follow each other downward, else rightward
        int across;  // the column or row that crosses every tick
    };
    for (const Scan scan : {Scan{"Line1", true, 76}, Scan{"Line2", false, 340}}) {
        const layout::LineShape& shape = layout::line(scan.ruler);
        std::vector<int> ticks;
        const int length = scan.down ? shot.height() : shot.width();
        for (int along = 0; along < length; ++along) {
            const QPoint at = scan.down ? QPoint(scan.across, along) : QPoint(along, scan.across);
            if (pixel(shot, at.x(), at.y()) == Qt::green) {
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
    EXPECT_EQ(form.Text1->text(), "600");
    EXPECT_EQ(form.Text2->text(), "2.2");
    EXPECT_EQ(form.Text3->text(), "20");
    EXPECT_EQ(form.Text4->text(), "10");
    ASSERT_EQ(form.Combo1->count(), 3);
    EXPECT_EQ(form.Combo1->itemText(0), "1 m");
    EXPECT_EQ(form.Combo1->itemText(1), "1 cm");
    EXPECT_EQ(form.Combo1->itemText(2), "1 mm");
    EXPECT_EQ(form.Combo1->currentText(), "1 m");
    EXPECT_EQ(form.Check1->checkState(), Qt::Unchecked);
    EXPECT_EQ(QApplication::focusWidget(), form.Picture1);
    EXPECT_TRUE(form.Command1->isEnabled());
    for (QLineEdit* field : {form.Text1, form.Text2, form.Text3, form.Text4}) {
        EXPECT_GT(field->maxLength(), 1'000'000) << field->objectName().toStdString();
    }
}

TEST_F(LayoutTest, ScreenReadersCanNameEveryControlThatTakesInput) {
    const std::vector<QWidget*> controls{form.Picture1, form.Command1, form.Command2,
                                         form.Text1,    form.Text2,    form.Text3,
                                         form.Text4,    form.Combo1,   form.Check1};
    QSet<QString> names;
    for (const QWidget* control : controls) {
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
        names.insert(control->accessibleName());
    }
    EXPECT_EQ(names.size(), static_cast<qsizetype>(controls.size()));
}

TEST_F(LayoutTest, EveryCaptionFitsItsControlInTheWindowFont) {
    EXPECT_EQ(QFontInfo(form.font()).family(), "DejaVu Sans Condensed");
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
            << label->text().toStdString();
        EXPECT_LE(metrics.height(), label->height()) << label->text().toStdString();
    }
    for (const QPushButton* button : {form.Command1, form.Command2}) {
        EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()),
                  button->width() - 8);
    }
    EXPECT_LE(form.Check1->sizeHint().width(), form.Check1->width());
}

}  // namespace
}  // namespace aurisplot::testing
