#include "valuecolumn.h"

#include "minmaxlevels.h"
#include "numbertext.h"
#include "parallel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>
#include <mutex>
#include <vector>

namespace qor {

ValueColumn::ValueColumn() = default;
ValueColumn::~ValueColumn() = default;

const MinMaxLevels& ValueColumn::minMaxLevels() const
{
    std::call_once(m_levelsBuilt, [this] {
        m_levels = std::make_unique<const MinMaxLevels>(*this);
        m_levelsReady.store(true, std::memory_order_release);
    });
    return *m_levels;
}

void buildMinMaxLevels(const std::vector<const ValueColumn*>& columns)
{
    std::vector<const ValueColumn*> unbuilt;
    std::copy_if(columns.begin(), columns.end(), std::back_inserter(unbuilt), [](const ValueColumn* c) { return !c->hasMinMaxLevels(); });
    // A redraw finds every level built and so starts no thread.
    runInParts(static_cast<std::int64_t>(unbuilt.size()), 1, [&](int, std::int64_t first, std::int64_t count) {
        for (std::int64_t c = first; c < first + count; ++c)
            unbuilt[static_cast<std::size_t>(c)]->minMaxLevels();
        return true;
    });
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

std::optional<ValueRange> numberRange(const ValueColumn& column, qsizetype first, qsizetype last)
{
    if (last < first)
        return std::nullopt;
    return column.minMaxLevels().finiteRange(first, last + 1);
}

} // namespace qor
