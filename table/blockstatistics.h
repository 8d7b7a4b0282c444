#pragma once

#include "gridcells.h"

#include <optional>
#include <vector>

namespace qor {

struct ValueRange {
    double minimum = 0;
    double maximum = 0;
};

// The smallest and largest number of each of `count` columns from `firstCol` over the rows
// `row` to `row2` (in either order, limited to the grid). Cells that are no numbers are passed
// over; a column without any number in the rows has no range.
std::vector<std::optional<ValueRange>> blockStatistics(const GridCells& cells, int firstCol, int count, int row, int row2);

} // namespace qor
