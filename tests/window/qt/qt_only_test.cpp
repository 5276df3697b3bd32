// What only the Qt window has: its accessible names, its font, and the held
// painter that keeps a sweep's drawing off the screen until it is shown.

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QSet>
#include <vector>

#include "form_fixture.h"

namespace aurisplot::testing {
namespace {

using QtOnlyTest = QtFormTest;

TEST_F(QtOnlyTest, ScreenReadersCanNameEveryControlThatTakesInput) {
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

TEST_F(QtOnlyTest, EveryCaptionFitsItsControlInTheWindowFont) {
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

TEST_F(QtOnlyTest, HeldDrawingReachesTheScreenOnlyWhenShownAndClearsAsIfNotHeld) {
    QCoreApplication::processEvents();  // whatever was pending is painted now
    const QImage blank = form.Picture1->picture();
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
    form.clear();
    form.Picture1->release();
    EXPECT_EQ(form.Picture1->picture(), blank);
    form.drawLine(0, 0, 100, 100, rgb(0, 0, 0));  // not held: shown at the next event pass
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints == 2; }));
}

}  // namespace
}  // namespace aurisplot::testing
