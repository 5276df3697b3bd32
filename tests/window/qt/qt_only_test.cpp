// What only the Qt window has: its accessible names, its font and its start.

#include <QFontInfo>
#include <QFontMetrics>
#include <QSet>
#include <fstream>
#include <string>
#include <vector>

#include "form_fixture.h"

namespace aurisplot::testing {
namespace {

using QtOnlyTest = QtFormTest;

TEST_F(QtOnlyTest, ScreenReadersCanNameEveryControlThatTakesInput) {
    const std::vector<QWidget*> controls{
        &qt.control<PlotSurface>("Picture1"), &qt.control<QPushButton>("Command1"),
        &qt.control<QPushButton>("Command2"), &qt.control<QLineEdit>("Text1"),
        &qt.control<QLineEdit>("Text2"),      &qt.control<QLineEdit>("Text3"),
        &qt.control<QLineEdit>("Text4"),      &qt.control<QComboBox>("Combo1"),
        &qt.control<QCheckBox>("Check1")};
    QSet<QString> names;
    for (const QWidget* control : controls) {
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
        names.insert(control->accessibleName());
    }
    EXPECT_EQ(names.size(), static_cast<qsizetype>(controls.size()));
}

TEST_F(QtOnlyTest, EveryCaptionFitsItsControlInTheWindowFont) {
    EXPECT_EQ(QFontInfo(qt.font()).family(), "DejaVu Sans Condensed");
    for (const QLabel* label : qt.findChildren<QLabel*>()) {
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
            << label->text().toStdString();
        EXPECT_LE(metrics.height(), label->height()) << label->text().toStdString();
    }
    for (const QPushButton* button :
         {&qt.control<QPushButton>("Command1"), &qt.control<QPushButton>("Command2")}) {
        EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()),
                  button->width() - 8);
    }
    EXPECT_LE(qt.control<QCheckBox>("Check1").sizeHint().width(),
              qt.control<QCheckBox>("Check1").width());
}

// Qt loads every image format plugin it has to ask each one about a picture
// whose format it must find out itself, four libraries the start would pay
// for: the window's icon is read as the PNGs it is.
TEST_F(QtOnlyTest, MakingTheWindowLoadsNoImageFormatPlugin) {
    std::ifstream maps("/proc/self/maps");
    std::string mapping;
    while (std::getline(maps, mapping)) {
        EXPECT_EQ(mapping.find("/imageformats/"), std::string::npos) << mapping;
    }
    EXPECT_FALSE(qt.windowIcon().isNull());
}

}  // namespace
}  // namespace aurisplot::testing
