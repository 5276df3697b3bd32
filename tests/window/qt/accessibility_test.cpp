// Form1 as assistive tools see it, through Qt's accessibility interfaces.

#include <QAccessible>
#include <QAccessibleInterface>
#include <vector>

#include "form_fixture.h"

namespace aurisplot::testing {
namespace {

// What a screen reader is given for one control.
struct Presented {
    const char* control;
    QAccessible::Role role;
    QString name;
    QString description;
    QString labelledBy;  // the caption's object name
};

[[nodiscard]] QString labelOf(QAccessibleInterface& control) {
    const auto labels = control.relations(QAccessible::Label);
    return labels.size() == 1 ? labels.front().first->object()->objectName() : QString();
}

class AccessibilityTest : public QtFormTest {
  protected:
    [[nodiscard]] QString chartDescription() const {
        return QAccessible::queryAccessibleInterface(&qt.control<PlotSurface>("Picture1"))
            ->text(QAccessible::Description);
    }
    // Graphs with Alt+G and waits for the result in the title; an empty
    // result is the plain title, so it must follow a result that was not.
    void graph(const std::string& result) {
        QTest::keyClick(&qt.control<QLineEdit>("Text1"), Qt::Key_G, Qt::AltModifier);
        ASSERT_TRUE(result.empty() ? QTest::qWaitFor([&] { return title() == kTitle; }, 10000)
                                   : waitForResult(result));
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return qt.control<QPushButton>("Command1").isEnabled(); }));
    }
};

TEST_F(AccessibilityTest, RolesNamesCaptionsAndUnits) {
    const std::vector<Presented> expected{
        {"Form1", QAccessible::Window, "Quarnel Labs - Aurisplot", "", ""},
        {"Picture1", QAccessible::Chart, "Exposure chart", "Nothing drawn yet", ""},
        {"Command1", QAccessible::Button, "Graph", "", ""},
        {"Command2", QAccessible::Button, "Exit", "", ""},
        {"Text1", QAccessible::EditableText, "Source power in watts", "Watts", "Label1"},
        {"Text2", QAccessible::EditableText, "Antenna gain in dBi", "dBi", "Label2"},
        {"Text3", QAccessible::EditableText,
         "Vertical full scale in milliwatts per square centimetre", "", ""},
        {"Text4", QAccessible::EditableText, "Horizontal full scale in metres", "", ""},
        // On Linux Qt names a list by its value; the caption comes through the label.
        {"Combo1", QAccessible::ComboBox, "1 m", "", "Label3"},
        {"Check1", QAccessible::CheckBox, "Draw grid", "", ""},
    };
    for (const Presented& control : expected) {
        SCOPED_TRACE(control.control);
        QObject* object = control.control == QStringLiteral("Form1")
                              ? static_cast<QObject*>(&qt)
                              : qt.findChild<QObject*>(control.control);
        QAccessibleInterface* presented = QAccessible::queryAccessibleInterface(object);
        ASSERT_NE(presented, nullptr);
        EXPECT_EQ(presented->role(), control.role);
        EXPECT_EQ(presented->text(QAccessible::Name), control.name);
        EXPECT_EQ(presented->text(QAccessible::Description), control.description);
        EXPECT_EQ(labelOf(*presented), control.labelledBy);
    }
    EXPECT_EQ(qt.control<QComboBox>("Combo1").accessibleName(),
              "Graph Resolution");  // where a platform shows it
    // The window is presented as the application's, under the application.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&qt)->parent()->role(),
              QAccessible::Application);
}

// The window's name is its title as it changes; the chart says what it shows
// once each command has ended.
TEST_F(AccessibilityTest, WindowNameAndChartDescriptionFollowEachGraph) {
    graph("2m");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&qt)->text(QAccessible::Name),
              "Quarnel Labs - Aurisplot - [MPE range is ~2m]");
    EXPECT_EQ(chartDescription(),
              "Power density of 600 W at 2.2 dBi: below the 5 mW/cm² limit from 2 m");

    qt.control<QLineEdit>("Text1").setText("5e5");
    graph("");
    EXPECT_EQ(chartDescription(),
              "Power density of 500000 W at 2.2 dBi: above the 5 mW/cm² "
              "limit over the whole chart, out to 10 m");
}

}  // namespace
}  // namespace aurisplot::testing
