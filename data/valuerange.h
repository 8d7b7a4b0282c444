#pragma once

#include <algorithm>
#include <cmath>
#include <optional>

namespace qor {

// The smallest and largest value of a range of records.
struct ValueRange {
    double minimum = 0;
    double maximum = 0;
};

// The range of `number(i)` over the records `first` to `last`. A value that is no finite number (a
// text that is no number, or a reading that overflowed to infinity) measures nothing and is passed
// over; with none left there is no range. Every statistic of the program (the graph's range cursors,
// the table's selection) uses this one rule.
template <typename Index, typename Number> std::optional<ValueRange> valueRange(Index first, Index last, const Number& number)
{
    std::optional<ValueRange> range;
    for (Index i = first; i <= last; ++i) {
        const double value = number(i);
        if (!std::isfinite(value))
            continue;
        if (!range)
            range = ValueRange{value, value};
        range->minimum = std::min(range->minimum, value);
        range->maximum = std::max(range->maximum, value);
    }
    return range;
}

} // namespace qor
