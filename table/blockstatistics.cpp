#include "blockstatistics.h"

#include <algorithm>

namespace qor {

std::vector<std::optional<ValueRange>> blockStatistics(const GridCells& cells, int firstCol, int count, int row, int row2)
{
    const int firstRow = std::max(std::min(row, row2), 1);
    const int lastRow = std::min(std::max(row, row2), cells.MaxRows());
    std::vector<std::optional<ValueRange>> out;
    for (int col = firstCol; col < firstCol + count; ++col)
        out.push_back(valueRange(firstRow, lastRow, [&](int r) { return cells.number(col, r); }));
    return out;
}

} // namespace qor
