// The Qt window as the shared window tests drive it.

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "form_driver.h"
#include "form_fixture.h"
#include "window/qt/main_window.h"

namespace aurisplot::testing {
namespace {

[[nodiscard]] Picture pictureOf(const QImage& image) {
    const QImage rgb32 = image.convertToFormat(QImage::Format_RGB32);
    Picture picture(rgb32.width(), rgb32.height());
    for (int y = 0; y < rgb32.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        for (int x = 0; x < rgb32.width(); ++x) {
            picture.set(x, y,
                        rgb(static_cast<std::uint8_t>(qRed(line[x])),
                            static_cast<std::uint8_t>(qGreen(line[x])),
                            static_cast<std::uint8_t>(qBlue(line[x]))));
        }
    }
    return picture;
}

[[nodiscard]] QString qString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Made before the driver's shared part, which keeps references into it.
struct QtForm {
    Form1 form_;
};

class QtDriver final : private QtForm, public CoreDriver {
  public:
    [[nodiscard]] Form1& window() { return form_; }

    QtDriver() : CoreDriver(form_.core(), form_.toolkit()) {
        form_.core().Form_Load();
        form_.show();
        form_.activateWindow();
        if (!QTest::qWaitForWindowActive(&form_)) {
            ADD_FAILURE() << "the window never became active";
        }
    }

    PixelRect place(std::string_view control) override {
        const QRect r = form_.control(control).geometry();
        return {r.x(), r.y(), r.width(), r.height()};
    }
    PixelRect client() override { return {0, 0, form_.width(), form_.height()}; }
    std::vector<std::string> comboItems() override {
        const auto& list = form_.control<QComboBox>("Combo1");
        std::vector<std::string> items;
        for (int i = 0; i < list.count(); ++i) {
            items.push_back(list.itemText(i).toStdString());
        }
        return items;
    }
    Frame frame() override {
        const Qt::WindowFlags flags = form_.windowFlags();
        return {flags.testFlag(Qt::WindowCloseButtonHint),
                flags.testFlag(Qt::WindowMinimizeButtonHint),
                flags.testFlag(Qt::WindowMaximizeButtonHint),
                form_.minimumSize() != form_.maximumSize()};
    }
    bool hasIcon(int pixels) override {
        return form_.windowIcon().availableSizes().contains(QSize(pixels, pixels));
    }
    std::string shownTitle() override { return form_.windowTitle().toStdString(); }
    bool shown() override { return form_.isVisible(); }
    int textLimit(std::string_view field) override {
        return form_.control<QLineEdit>(field).maxLength();
    }
    std::string accessibleName(std::string_view control) override {
        return form_.control(control).accessibleName().toStdString();
    }
    std::string accessibleDescription(std::string_view control) override {
        return form_.control(control).accessibleDescription().toStdString();
    }
    Picture surfaceOnScreen() override {
        return pictureOf(form_.control<PlotSurface>("Picture1").grab().toImage());
    }
    Picture clientOnScreen() override { return pictureOf(form_.grab().toImage()); }

    void focusOn(std::string_view control) override { form_.control(control).setFocus(); }
    void press(Key key) override {
        QWidget* target = QApplication::focusWidget();
        target = target != nullptr ? target : &form_;
        switch (key) {
            case Key::Tab:
                QTest::keyClick(target, Qt::Key_Tab);
                break;
            case Key::BackTab:
                QTest::keyClick(target, Qt::Key_Backtab, Qt::ShiftModifier);
                break;
            case Key::Enter:
                QTest::keyClick(target, Qt::Key_Return);
                QTest::keyClick(target, Qt::Key_Enter);
                break;
            case Key::Escape:
                QTest::keyClick(target, Qt::Key_Escape);
                break;
            case Key::Space:
                QTest::keyClick(target, Qt::Key_Space);
                break;
            case Key::Down:
                QTest::keyClick(target, Qt::Key_Down);
                break;
            case Key::End:
                QTest::keyClick(target, Qt::Key_End);
                break;
            case Key::AltG:
                QTest::keyClick(target, Qt::Key_G, Qt::AltModifier);
                break;
            case Key::AltX:
                QTest::keyClick(target, Qt::Key_X, Qt::AltModifier);
                break;
        }
    }
    void type(std::string_view text) override {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClicks(target != nullptr ? target : &form_, qString(text));
    }
    void click(std::string_view control) override {
        QTest::mouseClick(&form_.control(control), Qt::LeftButton);
    }
    void setChecked(bool checked) override {
        form_.control<QCheckBox>("Check1").setChecked(checked);
    }
    void closeBox() override { form_.close(); }
    // The window moves to the test program's screen of that ratio, as a user
    // moves it to another monitor: Qt tells every widget of the new screen.
    void changeScale(double ratio) override {
        for (QScreen* screen : QGuiApplication::screens()) {
            if (screen->devicePixelRatio() == ratio) {
                form_.setScreen(screen);
                QCoreApplication::processEvents();
                return;
            }
        }
        ADD_FAILURE() << "no screen of ratio " << ratio;
    }

    bool waitFor(const std::function<bool()>& done) override {
        QCoreApplication::processEvents();
        return QTest::qWaitFor(done, 10000);
    }
    // A button pressed by its key clicks a little later, by a timer of its own.
    bool settle() override {
        return waitFor([this] {
            const QList<QAbstractButton*> buttons = form_.findChildren<QAbstractButton*>();
            return std::ranges::none_of(buttons, [](QAbstractButton* button) {
                return button->isDown() ||
                       !QAbstractEventDispatcher::instance()->registeredTimers(button).isEmpty();
            });
        });
    }
    void every(int milliseconds, std::function<void()> tick) override {
        ticks_.disconnect();
        QObject::connect(&ticks_, &QTimer::timeout, &form_, std::move(tick));
        ticks_.start(milliseconds);
    }
    void stopTicks() override { ticks_.stop(); }
    int runProgram(std::function<void()> first) override {
        QTimer::singleShot(0, &form_, std::move(first));
        QTimer failsafe;  // a program that runs on fails instead of hanging
        failsafe.callOnTimeout([] { QCoreApplication::exit(1); });
        failsafe.start(60000);
        return QApplication::exec();
    }

  private:
    QTimer ticks_;
};

}  // namespace

Form1& qtWindow(FormDriver& driver) {
    return dynamic_cast<QtDriver&>(driver).window();
}

std::unique_ptr<FormDriver> startForm() {
    return std::make_unique<QtDriver>();
}

}  // namespace aurisplot::testing
