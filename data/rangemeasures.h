#pragma once

#include "valuecolumn.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace qor {

// The measurements of one series over a range of records, beside its minimum and maximum: values
// that are no finite number are passed over, as the minimum and maximum pass them over.
struct RangeMeasures {
    qsizetype numbers = 0;        // records of the range with a finite number
    double mean = 0;              // of those numbers
    double standardDeviation = 0; // of those numbers, taken as the whole population
    double change = 0;            // the last of them minus the first
};

// The measurements over records `first` to `last` (inclusive) of `column`; nullopt when the range
// holds no finite number. The column's min/max levels hold sums per chunk of records, so only the
// two ends of a long range are read.
std::optional<RangeMeasures> measureRange(const ValueColumn& column, qsizetype first, qsizetype last);

// The same over the records of `first` to `last` for which `included` holds, for records whose
// times are not in order.
std::optional<RangeMeasures> measureRecords(const ValueColumn& column, qsizetype first, qsizetype last,
                                            const std::function<bool(qsizetype)>& included);

// One row of a range's statistics: the series, its minimum and maximum, and its measurements;
// nullopt where the range holds no number.
struct StatisticsRow {
    QString name;
    std::optional<ValueRange> range;
    std::optional<RangeMeasures> measures;
};

// The row's texts as the statistics list shows them: the name, the minimum and maximum (in single
// precision, as they have always been shown), mean, standard deviation, peak-to-peak span and
// change; empty where the range holds no number.
std::array<QString, 7> statisticsTexts(const StatisticsRow& row);

// The length of a range of time as "Δt hh:nn:ss", with the whole days before it ("Δt 2d 01:00:00")
// from one day on; `seconds` below 0 counts as its magnitude.
QString durationText(std::int64_t seconds);

} // namespace qor
