#include "blockstatistics.h"

#include <algorithm>
#include <cmath>

namespace qor {

namespace {

std::optional<ValueRange> columnRange(const GridCells& cells, int col, int firstRow, int lastRow)
{
    std::optional<ValueRange> range;
    for (int row = firstRow; row <= lastRow; ++row) {
        const double value = cells.number(col, row);
        if (!std::isfinite(value))
            continue;
        if (!range)
            range = ValueRange{value, value};
        range->minimum = std::min(range->minimum, value);
        range->maximum = std::max(range->maximum, value);
    }
    return range;
}

} // namespace

std::vector<std::optional<ValueRange>> blockStatistics(const GridCells& cells, int firstCol, int count, int row, int row2)
{
    const int firstRow = std::max(std::min(row, row2), 1);
    const int lastRow = std::min(std::max(row, row2), cells.MaxRows());
    std::vector<std::optional<ValueRange>> out;
    for (int col = firstCol; col < firstCol + count; ++col)
        out.push_back(columnRange(cells, col, firstRow, lastRow));
    return out;
}

} // namespace qor
