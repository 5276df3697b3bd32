// Form1's keys, its Graph command on the real surface, and its end.

#include <QEvent>
#include <QRegularExpression>
#include <QTimer>
#include <functional>
#include <vector>

#include "form_fixture.h"

namespace aurisplot::testing {
namespace {

using FormKeysTest = FormTest;

TEST_F(FormKeysTest, NineTabsVisitEveryControlOnceAndReturnToTheChart) {
    std::vector<QString> visited;
    for (int k = 0; k < 9; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget()->objectName());
    }
    const std::vector<QString> expected{"Command1", "Command2", "Text1",  "Text2",   "Text3",
                                        "Text4",    "Combo1",   "Check1", "Picture1"};
    EXPECT_EQ(visited, expected);
}

TEST_F(FormKeysTest, EnterAndEscapeDoNothing) {
    for (QWidget* control : std::vector<QWidget*>{form.Picture1, form.Text1, form.Text2, form.Text3,
                                                  form.Text4, form.Check1}) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Return);
        QTest::keyClick(control, Qt::Key_Enter);
        QTest::keyClick(control, Qt::Key_Escape);
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(title(), kTitle);  // no Graph command ran
    EXPECT_EQ(form.Text1->text(), "600");
    EXPECT_EQ(form.Check1->checkState(), Qt::Unchecked);
}

TEST_F(FormKeysTest, ResolutionListTakesNoTypedText) {
    form.Combo1->setFocus();
    QTest::keyClicks(form.Combo1, "2 km");
    EXPECT_FALSE(form.Combo1->isEditable());
    EXPECT_EQ(form.Combo1->count(), 3);
    EXPECT_TRUE(form.Combo1->findText(form.Combo1->currentText()) >= 0);
    QTest::keyClick(form.Combo1, Qt::Key_Down);  // the keyboard picks the next entry
    QTest::keyClick(form.Combo1, Qt::Key_Down);
    EXPECT_EQ(form.comboText(), "1 mm");
}

TEST_F(FormKeysTest, SpaceTogglesTheGridAndPressesTheFocusedButton) {
    form.Check1->setFocus();
    QTest::keyClick(form.Check1, Qt::Key_Space);
    EXPECT_EQ(form.checkState(), 1);
    form.Command1->setFocus();
    QTest::keyClick(form.Command1, Qt::Key_Space);
    ASSERT_TRUE(waitForResult("2m"));
    // The focus stays on Graph, so another Space graphs again instead of exiting.
    EXPECT_EQ(QApplication::focusWidget(), form.Command1);
}

// The default chart: the graph of 600 W, 2.2 dBi, 20 mW/cm², 10 m at 1 m. The
// interior is 6585 x 4785 twips, 439 x 319 pixels.
class GraphTest : public FormTest {
  protected:
    void graphWithAltG() {
        QTest::keyClick(form.Text2, Qt::Key_G, Qt::AltModifier);  // from any control
        ASSERT_TRUE(waitForResult("2m"));
    }
    [[nodiscard]] const QImage& picture() const { return form.Picture1->picture(); }
};

[[nodiscard]] bool isZoneRed(QColor c) {
    return c.green() == 0 && c.blue() == 0 && c.red() >= 228;
}
[[nodiscard]] bool isPaleGrey(QColor c) {
    return c.red() == c.green() && c.green() == c.blue() && c.red() >= 228;
}

TEST_F(GraphTest, AltGDrawsTheZoneTheCurveAndTheLimitMarker) {
    graphWithAltG();
    EXPECT_TRUE(form.Command1->isEnabled());
    EXPECT_EQ(form.Text1->text(), "600");  // written back unchanged
    // The zone above 5 mW/cm² reaches down to y = 0.75 H, row 239, over the
    // emblem's greys; below it the emblem shows unchanged.
    for (int y = 0; y <= 310; ++y) {
        const QColor c = pixel(picture(), 400, y);
        EXPECT_TRUE(y <= 239 ? isZoneRed(c) : isPaleGrey(c)) << "row " << y;
    }
    // The limit is first undercut at 2 m: a blue line at x = floor(0.2 W), the
    // length of the chart except where the curve crosses it.
    for (const int y : {0, 100, 239, 240, 300, 318}) {
        EXPECT_EQ(pixel(picture(), 87, y), QColor(Qt::blue)) << "row " << y;
    }
    EXPECT_FALSE(picture().pixelColor(86, 300) == Qt::blue);
    EXPECT_FALSE(picture().pixelColor(88, 300) == Qt::blue);
    // The curve's points at 1 m, 2 m and 10 m, black.
    EXPECT_EQ(pixel(picture(), 43, 192), QColor(Qt::black));
    EXPECT_EQ(pixel(picture(), 87, 287), QColor(Qt::black));
    EXPECT_EQ(pixel(picture(), 438, 317), QColor(Qt::black));  // x = W lies past the last column
    // The screen shows the finished chart.
    const QImage screen = form.Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(screen.copy(1, 1, 439, 319), picture());
}

TEST_F(GraphTest, GridLinesAreBlackOverTheZoneAndBelowIt) {
    form.Check1->setChecked(true);
    graphWithAltG();
    // Vertical lines at 1 + k W / 10 twips, horizontal ones at 1 + k H / 20.
    for (const int x : {0, 131, 219, 395}) {
        EXPECT_EQ(pixel(picture(), x, 100), QColor(Qt::black)) << "column " << x;
        EXPECT_EQ(pixel(picture(), x, 250), QColor(Qt::black)) << "column " << x;
    }
    for (const int y : {16, 31, 239, 271, 303}) {
        EXPECT_EQ(pixel(picture(), 300, y), QColor(Qt::black)) << "row " << y;
    }
    EXPECT_TRUE(isZoneRed(pixel(picture(), 300, 100)));
}

TEST_F(GraphTest, ChangedFullScalesLeaveTheDecorationInPlace) {
    const QImage before = form.grab().toImage();
    form.Text3->setText("7");
    form.Text4->setText("3");
    form.Command1->click();
    EXPECT_EQ(form.Text4->text(), "3");
    const QImage after = form.grab().toImage();
    // Everything outside the chart and the two fields stays as it was.
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            const bool changes = QRect(88, 8, 441, 321).contains(x, y) ||
                                 QRect(16, 8, 49, 19).contains(x, y) ||
                                 QRect(480, 352, 49, 19).contains(x, y);
            if (!changes) {
                ASSERT_EQ(before.pixel(x, y), after.pixel(x, y)) << x << "," << y;
            }
        }
    }
}

// With no entry of the list selected (index -1) the resolution text is empty
// and there is no step: the frame is drawn but no curve, the plain title
// replaces an earlier result, and the button comes back.
TEST_F(GraphTest, NoResolutionSelectedDrawsNoCurveAndClearsTheResult) {
    graphWithAltG();
    form.setComboIndex(-1);
    EXPECT_EQ(form.comboText(), "");
    form.Command1_Click();
    EXPECT_EQ(title(), kTitle);
    EXPECT_TRUE(form.Command1->isEnabled());
    for (int x = 0; x < picture().width(); ++x) {
        const QColor below = pixel(picture(), x, 300);  // under the zone, above the curve's tail
        ASSERT_TRUE(isPaleGrey(below)) << x;
        ASSERT_NE(pixel(picture(), x, 100), QColor(Qt::blue)) << x;
    }
    EXPECT_THROW(form.setComboIndex(-2), WindowServiceError);
}

// Counts the paint events of the widget it watches.
class PaintCounter final : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
    int paints = 0;
};

// A million passes, 1 mm steps out to 1000 m. Once the screen shows the sweep's
// progress, a timer types into a field: the keys arrive in the middle of the
// sweep, not only at its first event pump, and the chart is seen growing.
TEST_F(GraphTest, TheWindowStaysLiveDuringAMillionPassSweep) {
    form.Text4->setText("1000");
    form.Combo1->setCurrentIndex(2);
    const QString name = QString::fromUtf8(kTitle.data(), static_cast<qsizetype>(kTitle.size()));
    const QRegularExpression progress(QStringLiteral("^%1 - \\[\\d+%\\]$").arg(name));
    QString titleWhileTyping;
    QTimer typist;
    QObject::connect(&typist, &QTimer::timeout, &form, [&] {
        if (progress.match(form.windowTitle()).hasMatch()) {
            typist.stop();
            titleWhileTyping = QString::fromUtf8(form.title());
            QTest::keyClicks(form.Text1, "75");
        }
    });
    typist.start(0);
    PaintCounter counter;
    form.Picture1->installEventFilter(&counter);
    form.Command1_Click();
    form.Picture1->removeEventFilter(&counter);

    EXPECT_TRUE(progress.match(titleWhileTyping).hasMatch()) << titleWhileTyping.toStdString();
    EXPECT_EQ(form.Text1->text(), "60075");
    EXPECT_GE(counter.paints, 3);  // the repaint at the end alone would be one
    EXPECT_EQ(title(), std::string(kTitle) + " - [MPE range is ~1m]");
}

// A long sweep, 1 mm steps out to 1000 m, ended by the user at one of its
// first event pumps: the program's event loop ends with status 0 and nothing
// more is drawn; the curve, along the bottom from 2 m on, stops far short of
// the right edge.
TEST(FormEndTest, ExitAndTheCloseBoxEndTheProgramInTheMiddleOfASweep) {
    const std::vector<std::pair<const char*, std::function<void(Form1&)>>> ways{
        {"Exit", [](Form1& f) { f.Command2->click(); }},
        {"close box", [](Form1& f) { f.close(); }},
    };
    for (const auto& [way, end] : ways) {
        Form1 running;
        running.Form_Load();
        running.Text4->setText("1000");
        running.Combo1->setCurrentIndex(2);
        running.show();
        QTimer::singleShot(0, &running, [&] { running.Command1_Click(); });
        QTimer::singleShot(0, &running, [&, &endIt = end] { endIt(running); });
        QTimer failsafe;  // a sweep that runs on fails instead of hanging
        failsafe.callOnTimeout([] { QCoreApplication::exit(1); });
        failsafe.start(60000);
        EXPECT_EQ(QApplication::exec(), 0) << way;  // the program's own event loop
        EXPECT_FALSE(running.isVisible()) << way;
        EXPECT_FALSE(running.Command1->isEnabled()) << way;  // the command did not go on
        EXPECT_FALSE(running.windowTitle().contains("MPE")) << way;
        const QImage& picture = running.Picture1->picture();
        for (int x = picture.width() / 2; x < picture.width(); ++x) {
            ASSERT_NE(pixel(picture, x, picture.height() - 1), QColor(Qt::black)) << way;
        }
    }
}

}  // namespace
}  // namespace aurisplot::testing
