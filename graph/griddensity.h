#pragma once

#include <array>

namespace qor {

// The grid densities of the trend graph: the code the settings file stores (0, 5, 10), the view
// code of the graph window ("0", "1", "2", also the index into GridDensities) and the major
// divisions of the time and the temperature axis.
struct GridDensity {
    int settingsCode;
    const char16_t* viewCode;
    int timeDivisions;
    int temperatureDivisions;
};

inline constexpr std::array<GridDensity, 3> GridDensities = {{{0, u"0", 5, 10}, {5, u"1", 10, 20}, {10, u"2", 13, 30}}};

} // namespace qor
