#include <gtest/gtest.h>

#include <array>
#include <string>

#include "case_name.h"
#include "engine/graph_engine.h"
#include "window/null/recording_window.h"

namespace aurisplot {
namespace {

using testing::RecordingWindow;

struct DescriptionCase {
    const char* name;
    std::array<std::string, 4> typed;  // Text1 to Text4
    std::string resolution;
    std::string description;
};

void PrintTo(const DescriptionCase& c, std::ostream* os) {
    *os << c.name;
}

class ChartDescription : public ::testing::TestWithParam<DescriptionCase> {};

// From the fields as typed to the words: the description must tell what was
// drawn (the normalised inputs) and the result the sweep found.
TEST_P(ChartDescription, TellsTheInputsAndTheResult) {
    const auto& c = GetParam();
    RecordingWindow window;
    window.state.texts = c.typed;
    window.state.comboItems = {c.resolution};
    const auto drawn = runGraphCommand(window);
    ASSERT_TRUE(drawn);
    EXPECT_EQ(describeChart(*drawn), c.description);
}

const std::array<std::string, 4> kDefaults{"600", "2.2", "20", "10"};

INSTANTIATE_TEST_SUITE_P(
    Runs, ChartDescription,
    ::testing::Values(
        DescriptionCase{"defaults", kDefaults, "1 m",
                        "Power density of 600 W at 2.2 dBi: below the 5 mW/cm² limit from 2 m"},
        // The crossing distance is that of the step, free of the additions' drift.
        DescriptionCase{"centimetres", kDefaults, "1 cm",
                        "Power density of 600 W at 2.2 dBi: below the 5 mW/cm² limit from 1.26 m"},
        DescriptionCase{"millimetres", kDefaults, "1 mm",
                        "Power density of 600 W at 2.2 dBi: below the 5 mW/cm² limit from 1.259 m"},
        DescriptionCase{"normalised inputs",
                        {"-1500 W", "3,5", "20", "40.9"},
                        "1 m",
                        "Power density of 1500 W at 3 dBi: below the 5 mW/cm² limit from 3 m"},
        DescriptionCase{"never below",
                        {"1E6", "2.2", "20", "10"},
                        "1 m",
                        "Power density of 1000000 W at 2.2 dBi: above the 5 mW/cm² limit over "
                        "the whole chart, out to 10 m"},
        // With no power the sweep marks its first step; there is no density to report.
        DescriptionCase{"no power",
                        {"0", "2.2", "20", "10"},
                        "1 cm",
                        "Power density of 0 W at 2.2 dBi: none, below the 5 mW/cm² limit over "
                        "the whole chart"},
        DescriptionCase{"no resolution", kDefaults, "2 km",
                        "Power density of 600 W at 2.2 dBi: no curve drawn, no distance "
                        "resolution is chosen"}),
    testing::CaseName());

}  // namespace
}  // namespace aurisplot
