#include "rangemeasures.h"

#include "minmaxlevels.h"
#include "numbertext.h"

#include <cmath>

namespace qor {

namespace {

using Spread = MinMaxLevels::Spread;

RangeMeasures measuresOf(const Spread& spread, double first, double last)
{
    return {spread.numbers, spread.mean, std::sqrt(spread.squaredDeviations / static_cast<double>(spread.numbers)), last - first};
}

// The first finite number of records `from` towards `to` (either way round) that `included` admits.
template <typename Included>
std::optional<double> firstNumber(const ValueColumn& column, qsizetype from, qsizetype to, const Included& included)
{
    const qsizetype step = from <= to ? 1 : -1;
    for (qsizetype i = from; i != to + step; i += step) {
        const double value = column.number(i);
        if (std::isfinite(value) && included(i))
            return value;
    }
    return std::nullopt;
}

} // namespace

std::optional<RangeMeasures> measureRange(const ValueColumn& column, qsizetype first, qsizetype last)
{
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, column.size() - 1);
    const auto every = [](qsizetype) { return true; };
    const std::optional<double> firstValue = first <= last ? firstNumber(column, first, last, every) : std::nullopt;
    if (!firstValue)
        return std::nullopt;
    return measuresOf(column.minMaxLevels().spread(first, last + 1), *firstValue, *firstNumber(column, last, first, every));
}

std::optional<RangeMeasures> measureRecords(const ValueColumn& column, qsizetype first, qsizetype last,
                                            const std::function<bool(qsizetype)>& included)
{
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, column.size() - 1);
    const std::optional<double> firstValue = first <= last ? firstNumber(column, first, last, included) : std::nullopt;
    if (!firstValue)
        return std::nullopt;
    Spread spread;
    for (qsizetype i = first; i <= last; ++i) {
        if (const double value = column.number(i); std::isfinite(value) && included(i))
            spread.add({1, value, 0});
    }
    return measuresOf(spread, *firstValue, *firstNumber(column, last, first, included));
}

std::array<QString, 7> statisticsTexts(const StatisticsRow& row)
{
    std::array<QString, 7> texts{row.name};
    if (const std::optional<ValueRange>& range = row.range) {
        texts[1] = numbers::statisticText(static_cast<float>(range->minimum));
        texts[2] = numbers::statisticText(static_cast<float>(range->maximum));
        texts[5] = numbers::statisticText(range->maximum - range->minimum);
    }
    if (const std::optional<RangeMeasures>& measures = row.measures) {
        texts[3] = numbers::statisticText(measures->mean);
        texts[4] = numbers::statisticText(measures->standardDeviation);
        texts[6] = numbers::statisticText(measures->change);
    }
    return texts;
}

QString durationText(std::int64_t seconds)
{
    seconds = std::abs(seconds);
    const std::int64_t days = seconds / 86400;
    const std::int64_t rest = seconds % 86400;
    const QString clock = QStringLiteral("%1:%2:%3")
                              .arg(rest / 3600, 2, 10, QChar(u'0'))
                              .arg(rest / 60 % 60, 2, 10, QChar(u'0'))
                              .arg(rest % 60, 2, 10, QChar(u'0'));
    return days > 0 ? QStringLiteral("Δt %1d %2").arg(days).arg(clock) : u"Δt " + clock;
}

} // namespace qor
