// The Qt window as the shared window tests drive it.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "form_driver.h"
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

class QtDriver final : public FormDriver {
  public:
    QtDriver() {
        form_.Form_Load();
        form_.show();
        form_.activateWindow();
        if (!QTest::qWaitForWindowActive(&form_)) {
            ADD_FAILURE() << "the window never became active";
        }
    }

    WindowServices& services() override { return form_; }
    void graph() override { form_.Command1_Click(); }

    PixelRect place(std::string_view control) override {
        const QRect r = widget(control).geometry();
        return {r.x(), r.y(), r.width(), r.height()};
    }
    PixelRect client() override { return {0, 0, form_.width(), form_.height()}; }
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
    std::string textOf(std::string_view control) override {
        QWidget& w = widget(control);
        if (auto* field = qobject_cast<QLineEdit*>(&w)) {
            return field->text().toStdString();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(&w)) {
            return button->text().toStdString();
        }
        if (auto* label = qobject_cast<QLabel*>(&w)) {
            return label->text().toStdString();
        }
        if (auto* combo = qobject_cast<QComboBox*>(&w)) {
            return combo->currentText().toStdString();
        }
        return {};
    }
    std::vector<std::string> comboItems() override {
        std::vector<std::string> items;
        items.reserve(static_cast<std::size_t>(form_.Combo1->count()));
        for (int i = 0; i < form_.Combo1->count(); ++i) {
            items.push_back(form_.Combo1->itemText(i).toStdString());
        }
        return items;
    }
    bool enabled(std::string_view control) override { return widget(control).isEnabled(); }
    std::string focus() override {
        const QWidget* focused = QApplication::focusWidget();
        return focused != nullptr ? focused->objectName().toStdString() : std::string();
    }
    bool shown() override { return form_.isVisible(); }
    int textLimit(std::string_view field) override {
        return qobject_cast<QLineEdit*>(&widget(field))->maxLength();
    }
    Picture surface() override { return pictureOf(form_.Picture1->picture()); }
    Picture surfaceOnScreen() override { return pictureOf(form_.Picture1->grab().toImage()); }
    Picture clientOnScreen() override { return pictureOf(form_.grab().toImage()); }
    double ratio() override { return form_.devicePixelRatioF(); }
    void skipRepeats(bool skip) override { form_.Picture1->skipRepeats(skip); }

    void focusOn(std::string_view control) override { widget(control).setFocus(); }
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
        QTest::mouseClick(&widget(control), Qt::LeftButton);
    }
    void setChecked(bool checked) override { form_.Check1->setChecked(checked); }
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
    [[nodiscard]] QWidget& widget(std::string_view name) {
        auto* found = form_.findChild<QWidget*>(qString(name), Qt::FindDirectChildrenOnly);
        if (found == nullptr) {
            throw std::logic_error("no such control");
        }
        return *found;
    }

    Form1 form_;
    QTimer ticks_;
};

}  // namespace

std::unique_ptr<FormDriver> startForm() {
    return std::make_unique<QtDriver>();
}

}  // namespace aurisplot::testing
