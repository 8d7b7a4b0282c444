#pragma once

#include "gridcells.h"

#include "data/valuerange.h"

#include <optional>
#include <vector>

namespace qor {

// The smallest and largest number of each of `count` columns from `firstCol` over the rows
// `row` to `row2` (in either order, limited to the grid), by the rule of valueRange.
std::vector<std::optional<ValueRange>> blockStatistics(const GridCells& cells, int firstCol, int count, int row, int row2);

} // namespace qor
