#pragma once

// The form with no toolkit, loaded and shown as the program starts a window:
// for the cases of what every window shares, run once.

#include <gtest/gtest.h>

#include "picture.h"
#include "window/null/null_form.h"

namespace aurisplot::testing {

class NoToolkitTest : public ::testing::Test {
  protected:
    NoToolkitTest() {
        none.core().Form_Load();
        none.core().shown();
    }

    // The picture the canvas holds.
    [[nodiscard]] Picture drawn() { return pictureOf(none.canvas()); }

    NullForm none;
    Obliging surface{none.core()};
};

}  // namespace aurisplot::testing
