// A random user on the real window: a few thousand clicks, keys and typed
// texts in a seeded order, and after every Graph command the invariants a
// user relies on. Set AURISPLOT_RANDOM_USER_SEED to replay or vary a run.

#include <QApplication>
#include <QRegularExpression>
#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "engine/number_text.h"
#include "form_fixture.h"

namespace aurisplot::testing {
namespace {

constexpr int kActions = 2000;
constexpr std::uint32_t kDefaultSeed = 20261208;

// What the user types into a field. The distance full scale gets one
// character at a time, and never an exponent or a radix prefix: at 1 mm each
// metre is a thousand passes, and a typed "9E9" would sweep for days.
constexpr std::string_view kAnyText = "0123456789.-+E&HOho ,xW\t";
constexpr std::string_view kDistanceText = "0123456789.- x";

[[nodiscard]] std::uint32_t seed() {
    bool given = false;
    const int value = qEnvironmentVariableIntValue("AURISPLOT_RANDOM_USER_SEED", &given);
    return given ? static_cast<std::uint32_t>(value) : kDefaultSeed;
}

class RandomUser : public QtFormTest {
  protected:
    RandomUser() : random_(seed()) {
        // Connected after the form's own handler, so it runs once a Graph has ended.
        QObject::connect(&qt.control<QPushButton>("Command1"), &QPushButton::clicked, &qt,
                         [this] { ++graphs_; });
    }

    [[nodiscard]] int roll(int below) {
        return std::uniform_int_distribution<int>(0, below - 1)(random_);
    }

    [[nodiscard]] QWidget& focused() {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            return *popup;
        }
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? *focus : qt;
    }

    // A left click on any point of the window but the Exit button.
    void clickAnywhere() {
        QPoint point;
        do {
            point = QPoint(roll(qt.width()), roll(qt.height()));
        } while (qt.control<QPushButton>("Command2").geometry().contains(point));
        QWidget* target = qt.childAt(point);
        target = target != nullptr ? target : &qt;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&qt, point));
    }

    void typeIntoAField() {
        const std::array fields{&qt.control<QLineEdit>("Text1"), &qt.control<QLineEdit>("Text2"),
                                &qt.control<QLineEdit>("Text3"), &qt.control<QLineEdit>("Text4")};
        QLineEdit* field = fields.at(static_cast<std::size_t>(roll(4)));
        const bool distance = field == &qt.control<QLineEdit>("Text4");
        field->setFocus();
        if (distance || roll(2) == 0) {
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);  // typing replaces it all
        }
        const std::string_view alphabet = distance ? kDistanceText : kAnyText;
        const int length = distance ? 1 : 1 + roll(8);
        QString typed;
        for (int i = 0; i < length; ++i) {
            typed += QLatin1Char(
                alphabet[static_cast<std::size_t>(roll(static_cast<int>(alphabet.size())))]);
        }
        QTest::keyClicks(field, typed);
    }

    void pressAKey() {
        static constexpr std::array kKeys{Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Space,
                                          Qt::Key_Return, Qt::Key_Escape,  Qt::Key_Left,
                                          Qt::Key_Right,  Qt::Key_Up,      Qt::Key_Down};
        const Qt::Key key =
            kKeys.at(static_cast<std::size_t>(roll(static_cast<int>(kKeys.size()))));
        QWidget& target = focused();
        if (key == Qt::Key_Space && &target == &qt.control<QPushButton>("Command2")) {
            return;  // Space would press Exit
        }
        QTest::keyClick(&target, key);
    }

    // Alt+G presses Graph from any control, a moment later, as a click would.
    void altG() {
        const int before = graphs_;
        QTest::keyClick(&focused(), Qt::Key_G, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return graphs_ > before; }, 5000))
            << "Alt+G did nothing; focus " << focused().metaObject()->className() << " "
            << focused().objectName().toStdString() << " active "
            << (QApplication::activeWindow() == &qt) << " enabled "
            << qt.control<QPushButton>("Command1").isEnabled() << " down "
            << qt.control<QPushButton>("Command1").isDown();
    }

    // The user makes sure the window has the keyboard. On Qt's offscreen
    // platform a list's popup can keep the activation after it closed, and a
    // user would click the window to get it back.
    void keepWindowActive() {
        const auto active = [this] { return QApplication::activeWindow() == &qt; };
        if (!QTest::qWaitFor(active, 100)) {
            qt.activateWindow();
            ASSERT_TRUE(QTest::qWaitFor(active, 5000)) << "the window cannot be activated";
        }
    }

    void act() {
        keepWindowActive();
        const int choice = roll(100);
        if (choice < 30) {
            clickAnywhere();
        } else if (choice < 55) {
            typeIntoAField();
        } else if (choice < 93) {
            pressAKey();
        } else if (choice < 97) {
            QTest::mouseClick(&qt.control<QPushButton>("Command1"), Qt::LeftButton);
        } else {
            altG();
        }
        // A list left open takes the keys meant for the window: the user closes it.
        for (int tries = 0; tries < 3 && QApplication::activePopupWidget() != nullptr; ++tries) {
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        }
        ASSERT_EQ(QApplication::activePopupWidget(), nullptr) << "Esc does not close the list";
    }

    // What a user relies on after every Graph command.
    void checkAfterGraph() {
        ASSERT_TRUE(qt.isVisible());
        EXPECT_TRUE(qt.control<QPushButton>("Command1").isEnabled());
        static const QRegularExpression result(
            QStringLiteral("^Quarnel Labs - Aurisplot( - \\[MPE range is ~(\\d+)m\\])?$"));
        const QRegularExpressionMatch shown = result.match(qt.windowTitle());
        EXPECT_TRUE(shown.hasMatch()) << qt.windowTitle().toStdString();
        // The range is a distance the sweep reached: never beyond the chart's edge.
        if (shown.hasCaptured(2)) {
            EXPECT_LE(shown.captured(2).toDouble(),
                      parse(qt.control<QLineEdit>("Text4").text().toStdString()).value_or(0))
                << qt.windowTitle().toStdString();
        }
        for (QLineEdit* field :
             {&qt.control<QLineEdit>("Text1"), &qt.control<QLineEdit>("Text2"),
              &qt.control<QLineEdit>("Text3"), &qt.control<QLineEdit>("Text4")}) {
            const std::string text = field->text().toStdString();
            const std::optional<double> value = parse(text);
            ASSERT_TRUE(value.has_value())
                << field->objectName().toStdString() << " \"" << text << "\"";
            EXPECT_EQ(format(*value), text) << field->objectName().toStdString();
        }
    }

    std::mt19937 random_;
    int graphs_ = 0;
};

TEST_F(RandomUser, EveryGraphLeavesALiveWindowAResultTitleAndNormalFields) {
    SCOPED_TRACE("seed " + std::to_string(seed()) + " (AURISPLOT_RANDOM_USER_SEED replays it)");
    int checked = 0;
    for (int action = 0; action < kActions && !HasFatalFailure(); ++action) {
        SCOPED_TRACE("action " + std::to_string(action));
        const int before = graphs_;
        act();
        if (graphs_ > before) {
            checkAfterGraph();
            ++checked;
        }
    }
    EXPECT_GT(checked, kActions / 50);  // the user did graph, many times
}

}  // namespace
}  // namespace aurisplot::testing
