#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "form_driver.h"
#include "window/qt/main_window.h"

namespace aurisplot::testing {

// The Qt window behind a form the Qt driver started.
[[nodiscard]] Form1& qtWindow(FormDriver& driver);

// A started window, as every window's tests have it, and its Qt widgets, for
// what only the Qt window has.
class QtFormTest : public FormTest {
  protected:
    Form1& qt = qtWindow(form);
};

}  // namespace aurisplot::testing
