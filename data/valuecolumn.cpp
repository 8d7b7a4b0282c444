#include "valuecolumn.h"

#include "minmaxlevels.h"
#include "numbertext.h"
#include "parallel.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <mutex>
#include <vector>

namespace qor {

ValueColumn::ValueColumn() = default;
ValueColumn::~ValueColumn() = default;

const MinMaxLevels& ValueColumn::minMaxLevels() const
{
    std::call_once(m_levelsBuilt, [this] { m_levels = std::make_unique<const MinMaxLevels>(*this); });
    return *m_levels;
}

DoubleColumn::DoubleColumn(NumberArray values)
    : m_values(std::move(values))
{
}

qsizetype DoubleColumn::size() const
{
    return static_cast<qsizetype>(m_values.size());
}

double DoubleColumn::number(qsizetype index) const
{
    return m_values[static_cast<std::size_t>(index)];
}

QString DoubleColumn::text(qsizetype index) const
{
    return numbers::valueText(number(index));
}

FixedPointColumn::FixedPointColumn(NumberArray values, int decimals, bool pointWithoutDecimals)
    : m_values(std::move(values))
    , m_decimals(decimals)
    , m_pointWithoutDecimals(pointWithoutDecimals)
{
}

qsizetype FixedPointColumn::size() const
{
    return static_cast<qsizetype>(m_values.size());
}

double FixedPointColumn::number(qsizetype index) const
{
    return m_values[static_cast<std::size_t>(index)];
}

QString FixedPointColumn::text(qsizetype index) const
{
    // The numbers are the exact decimal texts read back, so printing them with the same number of
    // decimals gives those texts again, the sign of a negative zero included.
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*f", m_decimals, number(index));
    QString out = QString::fromLatin1(buffer);
    if (m_decimals == 0 && m_pointWithoutDecimals)
        out += u'.';
    return out;
}

BlankColumn::BlankColumn(qsizetype size)
    : m_size(size)
{
}

qsizetype BlankColumn::size() const
{
    return m_size;
}

double BlankColumn::number(qsizetype) const
{
    return std::numeric_limits<double>::quiet_NaN();
}

QString BlankColumn::text(qsizetype) const
{
    return {};
}

bool BlankColumn::isFilled() const
{
    return false;
}

namespace {

// valueRange over an array, in a form the compiler turns into vector instructions: a value that is
// no finite number (NaN or infinite) fails the magnitude test and changes nothing.
std::optional<ValueRange> finiteRange(const double* numbers, qsizetype first, qsizetype last)
{
    constexpr double Largest = std::numeric_limits<double>::max();
    double minimum = std::numeric_limits<double>::infinity();
    double maximum = -minimum;
    for (qsizetype i = first; i <= last; ++i) {
        const double value = numbers[i];
        const bool finite = std::fabs(value) <= Largest;
        minimum = finite && value < minimum ? value : minimum;
        maximum = finite && value > maximum ? value : maximum;
    }
    if (minimum > maximum)
        return std::nullopt;
    return ValueRange{minimum, maximum};
}

} // namespace

std::optional<ValueRange> numberRange(const ValueColumn& column, qsizetype first, qsizetype last)
{
    constexpr std::int64_t MinRecordsPerPart = 1 << 20;
    const double* numbers = column.numberData();
    if (!numbers)
        return valueRange(first, last, [&](qsizetype i) { return column.number(i); });
    if (last < first)
        return std::nullopt;
    std::vector<std::optional<ValueRange>> parts(static_cast<std::size_t>(partCount(last - first + 1, MinRecordsPerPart)));
    runInParts(last - first + 1, MinRecordsPerPart, [&](int part, std::int64_t start, std::int64_t size) {
        const qsizetype from = first + start;
        parts[static_cast<std::size_t>(part)] = finiteRange(numbers, from, from + size - 1);
        return true;
    });
    std::optional<ValueRange> range;
    for (const std::optional<ValueRange>& part : parts) {
        if (!part)
            continue;
        range = range ? ValueRange{std::min(range->minimum, part->minimum), std::max(range->maximum, part->maximum)} : *part;
    }
    return range;
}

} // namespace qor
