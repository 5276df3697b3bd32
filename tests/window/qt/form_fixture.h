#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <string>

#include "engine/graph_engine.h"
#include "window/qt/main_window.h"

namespace aurisplot::testing {

// A started window: built, loaded, shown and active, as the program starts it.
class QtFormTest : public ::testing::Test {
  protected:
    QtFormTest() {
        form.Form_Load();
        form.show();
        form.activateWindow();
    }
    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowActive(&form)); }

    [[nodiscard]] std::string title() const { return form.windowTitle().toStdString(); }

    // Waits until the title shows the result of a Graph command.
    [[nodiscard]] bool waitForResult(const std::string& result) {
        const std::string expected = std::string(kTitle) + " - [MPE range is ~" + result + "]";
        return QTest::qWaitFor([&] { return title() == expected; }, 10000);
    }

    Form1 form;
};

// The colour of one device pixel of an image.
[[nodiscard]] inline QColor pixel(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

}  // namespace aurisplot::testing
