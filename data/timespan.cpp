#include "timespan.h"

#include <algorithm>
#include <cmath>

namespace qor {

qsizetype TimeSpan::records() const
{
    if (!included)
        return std::max<qsizetype>(0, last - first + 1);
    qsizetype count = 0;
    for (qsizetype r = first; r <= last; ++r)
        count += included(r) ? 1 : 0;
    return count;
}

TimeSpan timeSpan(const TimeColumn& times, bool ascending, qsizetype first, qsizetype end, double from, double to)
{
    if (!ascending)
        return {first, end - 1, [&times, from, to](qsizetype r) {
                    const double time = times[static_cast<std::size_t>(r)];
                    return time >= from && time <= to;
                }};
    const auto begin = std::lower_bound(times.begin(), times.end(), from) - times.begin();
    const auto past = std::upper_bound(times.begin(), times.end(), to) - times.begin();
    return {begin, past - 1, {}};
}

std::optional<ValueRange> spanRange(const ValueColumn& column, const TimeSpan& span)
{
    if (span.included)
        return valueRange(span.first, span.last, [&](qsizetype r) { return span.included(r) ? column.number(r) : std::nan(""); });
    return span.first <= span.last ? numberRange(column, span.first, span.last) : std::nullopt;
}

std::optional<RangeMeasures> spanMeasures(const ValueColumn& column, const TimeSpan& span)
{
    return span.included ? measureRecords(column, span.first, span.last, span.included) : measureRange(column, span.first, span.last);
}

} // namespace qor
