// GoogleTest for the web window, in the runner page: the status is reported
// to the page when the tests end (with ASYNCIFY, the program's runtime
// reports nothing at main's end). With --scale=F every window starts at F
// device pixels per pixel, as on a monitor of that scale.

#include <emscripten.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

namespace aurisplot::testing {
extern double startScale;  // web_driver.cpp
}

// clang-format off
EM_JS(void, runner_ended, (int status), {
    aurisplotRunner.ended(status);
});
// clang-format on

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    constexpr std::string_view kScaleOption = "--scale=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with(kScaleOption)) {
            aurisplot::testing::startScale = std::strtod(argv[i] + kScaleOption.size(), nullptr);
        }
    }
    const int status = RUN_ALL_TESTS();
    runner_ended(status);
    return status;
}
