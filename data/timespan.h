#pragma once

#include "rangemeasures.h"
#include "tracecolumns.h"
#include "valuerange.h"

#include <functional>
#include <optional>

namespace qor {

// The records of a column whose times lie from `from` to `to`. Where the times are in order these
// are the records between two indices; otherwise every record of the span is tested, since records
// may stand out of order.
struct TimeSpan {
    qsizetype first = 0;
    qsizetype last = -1;
    std::function<bool(qsizetype)> included; // unset where every record from first to last counts

    qsizetype records() const;
};

// Records `first` to `end` - 1 of `times`, of which `ascending` says whether they are in order.
TimeSpan timeSpan(const TimeColumn& times, bool ascending, qsizetype first, qsizetype end, double from, double to);

// The minimum and maximum, and the measures, of the numbers of `column` in `span`.
std::optional<ValueRange> spanRange(const ValueColumn& column, const TimeSpan& span);
std::optional<RangeMeasures> spanMeasures(const ValueColumn& column, const TimeSpan& span);

} // namespace qor
