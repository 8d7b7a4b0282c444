#include "timetextsearch.h"

#include <algorithm>

namespace qor {

namespace {

using datetime::SecondsPerDay;
constexpr std::int64_t SecondsPerHour = 3600;

std::int64_t secondsAt(const TimeColumn& times, qsizetype i)
{
    return datetime::secondsFromSerial(times[static_cast<std::size_t>(i)]);
}

std::int64_t dayOf(std::int64_t seconds)
{
    return seconds >= 0 ? seconds / SecondsPerDay : -((-seconds + SecondsPerDay - 1) / SecondsPerDay);
}

// The first index of from..to-1 whose time is at or after `seconds` (times ascending).
qsizetype lowerBound(const TimeColumn& times, qsizetype from, qsizetype to, std::int64_t seconds)
{
    const auto begin = times.begin() + from;
    const auto it =
        std::partition_point(begin, times.begin() + to, [seconds](double t) { return datetime::secondsFromSerial(t) < seconds; });
    return from + (it - begin);
}

} // namespace

TimeTextSearch::TimeTextSearch(QStringView needle, datetime::AmPm amPm)
    : m_needle(needle.toString())
    , m_amPm(std::move(amPm))
{
}

QString TimeTextSearch::text(std::int64_t seconds) const
{
    return datetime::generalText(datetime::serialFromSeconds(seconds), m_amPm);
}

TimeTextSearch::Match TimeTextSearch::hourMatch(std::int64_t day, int hour) const
{
    // One second into the hour, so that the midnight second's date-only text is not the sample.
    const QString sample = text(day * SecondsPerDay + hour * SecondsPerHour + 1);
    const QStringView shared = QStringView(sample).left(sample.indexOf(u':') + 1);
    if (shared.startsWith(m_needle))
        return Match::All;
    return QStringView(m_needle).startsWith(shared) ? Match::Some : Match::None;
}

bool TimeTextSearch::dayCanMatch(std::int64_t day) const
{
    const QString date = text(day * SecondsPerDay);
    return date.startsWith(m_needle) || m_needle.startsWith(date);
}

bool TimeTextSearch::matches(std::int64_t seconds) const
{
    return text(seconds).startsWith(m_needle);
}

qsizetype TimeTextSearch::first(const TimeColumn& times, qsizetype firstIndex, qsizetype lastIndex, bool inOrder) const
{
    if (firstIndex > lastIndex)
        return -1;
    return inOrder ? firstInOrder(times, firstIndex, lastIndex) : firstByScan(times, firstIndex, lastIndex);
}

qsizetype TimeTextSearch::firstInOrder(const TimeColumn& times, qsizetype firstIndex, qsizetype lastIndex) const
{
    const qsizetype end = lastIndex + 1;
    qsizetype i = firstIndex;
    while (i < end) {
        const std::int64_t seconds = secondsAt(times, i);
        const std::int64_t day = dayOf(seconds);
        if (!dayCanMatch(day)) {
            i = lowerBound(times, i, end, (day + 1) * SecondsPerDay);
            continue;
        }
        const int hour = static_cast<int>((seconds - day * SecondsPerDay) / SecondsPerHour);
        const std::int64_t hourEnd = day * SecondsPerDay + (hour + 1) * SecondsPerHour;
        const qsizetype next = lowerBound(times, i, end, hourEnd);
        const Match match = hourMatch(day, hour);
        if (match != Match::None) {
            const qsizetype found = firstInHour(times, i, next, match);
            if (found >= 0)
                return found;
        }
        i = next;
    }
    return -1;
}

// Rows from..to-1 lie in one hour, in order; the hour's texts match as `match` says.
qsizetype TimeTextSearch::firstInHour(const TimeColumn& times, qsizetype from, qsizetype to, Match match) const
{
    // The midnight second shows the date alone, so it is judged by its own text.
    const std::int64_t firstSeconds = secondsAt(times, from);
    if (firstSeconds % SecondsPerDay == 0) {
        if (matches(firstSeconds))
            return from;
        from = lowerBound(times, from, to, firstSeconds + 1);
        if (from == to)
            return -1;
    }
    if (match == Match::All)
        return from;
    const auto begin = times.begin() + from;
    const qsizetype length = m_needle.size();
    const auto it = std::partition_point(begin, times.begin() + to, [this, length](double t) {
        return QStringView(text(datetime::secondsFromSerial(t))).left(length) < QStringView(m_needle);
    });
    const qsizetype found = from + (it - begin);
    return found < to && matches(secondsAt(times, found)) ? found : -1;
}

// Records are judged by the hour they fall in, which is worked out again only when a record leaves
// the hour of the one before (records out of order mostly still run in order for a while).
qsizetype TimeTextSearch::firstByScan(const TimeColumn& times, qsizetype firstIndex, qsizetype lastIndex) const
{
    std::int64_t hourStart = 0;
    std::int64_t hourEnd = 0; // no hour judged yet
    Match hourMatches = Match::None;
    for (qsizetype i = firstIndex; i <= lastIndex; ++i) {
        const std::int64_t seconds = secondsAt(times, i);
        if (seconds < hourStart || seconds >= hourEnd) {
            const std::int64_t day = dayOf(seconds);
            const int hour = static_cast<int>((seconds - day * SecondsPerDay) / SecondsPerHour);
            hourStart = day * SecondsPerDay + hour * SecondsPerHour;
            hourEnd = hourStart + SecondsPerHour;
            hourMatches = hourMatch(day, hour);
        }
        const bool midnight = seconds == hourStart && seconds % SecondsPerDay == 0;
        if ((hourMatches == Match::All && !midnight) || ((hourMatches == Match::Some || midnight) && matches(seconds)))
            return i;
    }
    return -1;
}

} // namespace qor
