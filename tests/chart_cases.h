#pragma once

// Charts of every kind the engine draws, as a user enters them.

#include <ostream>
#include <string>
#include <vector>

#include "engine/window_services.h"
#include "picture.h"

namespace aurisplot::testing {

struct ChartCase {
    std::string name;
    std::string power = "600";
    std::string densityFull = "20";
    std::string distanceFull = "10";
    int resolution = 0;  // in the list: 1 m, 1 cm, 1 mm
    bool grid = false;
};

inline void PrintTo(const ChartCase& c, std::ostream* os) {
    *os << c.name;
}

// The inputs of `chart` in the window's fields and list; the grid is the
// caller's, as its window lets it be ticked.
inline void enter(Obliging window, const ChartCase& chart) {
    window.setText(TextField::Text1, chart.power);
    window.setText(TextField::Text3, chart.densityFull);
    window.setText(TextField::Text4, chart.distanceFull);
    window.setComboIndex(chart.resolution);
}

inline const std::vector<ChartCase> kCharts{
    ChartCase{"default"},
    ChartCase{.name = "grid", .grid = true},
    ChartCase{.name = "zone over the whole chart", .densityFull = "100000000"},
    ChartCase{.name = "no power", .power = "0", .resolution = 2},
    ChartCase{.name = "1 cm", .resolution = 1},
    ChartCase{.name = "1 mm", .resolution = 2},
    ChartCase{.name = "pinned red at the top", .power = "20000", .resolution = 2},
};

// Red along the top, the zone, the grid, the curve and the marker.
inline const ChartCase kEverything{
    .name = "everything", .power = "20000", .resolution = 2, .grid = true};

}  // namespace aurisplot::testing
