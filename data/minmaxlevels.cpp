#include "minmaxlevels.h"

#include "parallel.h"
#include "valuecolumn.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qor {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr float FloatNaN = std::numeric_limits<float>::quiet_NaN();
// Blocks below this count are not worth a thread of their own.
constexpr std::int64_t BlocksPerPart = 1 << 16;
constexpr std::int64_t ChunksPerPart = BlocksPerPart * MinMaxLevels::BaseBlock / MinMaxLevels::SumBlock;

float roundedDown(double value)
{
    float f = static_cast<float>(value);
    return static_cast<double>(f) > value ? std::nextafter(f, -std::numeric_limits<float>::infinity()) : f;
}

float roundedUp(double value)
{
    float f = static_cast<float>(value);
    return static_cast<double>(f) < value ? std::nextafter(f, std::numeric_limits<float>::infinity()) : f;
}

// Sums of the finite numbers of one run of records about its first one, which keeps the sum of
// squares of large values with a small spread free of cancellation.
class SpreadSum {
  public:
    void include(double value)
    {
        if (!std::isfinite(value))
            return;
        if (m_numbers == 0)
            m_shift = value;
        const double offset = value - m_shift;
        m_sum += offset;
        m_squares += offset * offset;
        ++m_numbers;
    }

    MinMaxLevels::Spread spread() const
    {
        if (m_numbers == 0)
            return {};
        const auto n = static_cast<double>(m_numbers);
        return {m_numbers, m_shift + m_sum / n, std::max(0.0, m_squares - m_sum * m_sum / n)};
    }

  private:
    qsizetype m_numbers = 0;
    double m_shift = 0;
    double m_sum = 0;
    double m_squares = 0;
};

} // namespace

bool MinMax::isEmpty() const
{
    return std::isnan(minimum);
}

void MinMax::include(double value)
{
    if (std::isnan(value))
        return;
    if (isEmpty()) {
        minimum = maximum = value;
        return;
    }
    minimum = std::min(minimum, value);
    maximum = std::max(maximum, value);
}

void MinMax::include(const MinMax& other)
{
    if (other.isEmpty())
        return;
    include(other.minimum);
    include(other.maximum);
}

MinMax MinMax::none()
{
    return {NaN, NaN};
}

MinMaxLevels::MinMaxLevels(const ValueColumn& column)
    : m_column(column)
{
    // A column the file did not fill holds no number: no levels, every range is empty.
    if (!column.isFilled() || column.size() == 0)
        return;
    buildBase();
    buildUpper();
}

void MinMaxLevels::buildBase()
{
    const qsizetype size = m_column.size();
    std::vector<float>& base = m_levels.emplace_back(static_cast<std::size_t>((size + BaseBlock - 1) / BaseBlock * 2));
    m_spreads.resize(static_cast<std::size_t>((size + SumBlock - 1) / SumBlock));
    // Every core takes its own stretch of chunks; the column is immutable, so reading it in parallel
    // is safe.
    runInParts(static_cast<std::int64_t>(m_spreads.size()), ChunksPerPart, [&](int, std::int64_t firstChunk, std::int64_t chunks) {
        for (qsizetype c = firstChunk; c < firstChunk + chunks; ++c)
            buildChunk(c, base);
        return true;
    });
}

// The base blocks and the spread of one chunk, from one read of each of its numbers.
void MinMaxLevels::buildChunk(qsizetype chunk, std::vector<float>& base)
{
    const qsizetype from = chunk * SumBlock;
    const qsizetype to = std::min(from + SumBlock, m_column.size());
    SpreadSum sum;
    for (qsizetype first = from; first < to; first += BaseBlock) {
        // A NaN fails both comparisons and so is passed over.
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        forEachNumber(first, std::min(first + BaseBlock, to), [&](double value) {
            low = value < low ? value : low;
            high = value > high ? value : high;
            sum.include(value);
        });
        const auto b = static_cast<std::size_t>(first / BaseBlock);
        base[2 * b] = low > high ? FloatNaN : roundedDown(low);
        base[2 * b + 1] = low > high ? FloatNaN : roundedUp(high);
    }
    m_spreads[static_cast<std::size_t>(chunk)] = sum.spread();
}

MinMaxLevels::Spread MinMaxLevels::scanSpread(qsizetype first, qsizetype last) const
{
    SpreadSum sum;
    forEachNumber(first, last, [&](double value) { sum.include(value); });
    return sum.spread();
}

// Chan's pairwise update: the parts' means and squared deviations give those of the whole.
void MinMaxLevels::Spread::add(const Spread& other)
{
    if (other.numbers == 0)
        return;
    const auto n = static_cast<double>(numbers + other.numbers);
    const double delta = other.mean - mean;
    squaredDeviations += other.squaredDeviations + delta * delta * static_cast<double>(numbers) * static_cast<double>(other.numbers) / n;
    mean += delta * static_cast<double>(other.numbers) / n;
    numbers += other.numbers;
}

MinMaxLevels::Spread MinMaxLevels::spread(qsizetype first, qsizetype last) const
{
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, m_column.size());
    if (m_spreads.empty() || first >= last)
        return {};
    const qsizetype firstWhole = (first + SumBlock - 1) / SumBlock;
    const qsizetype lastWhole = last / SumBlock;
    if (firstWhole >= lastWhole)
        return scanSpread(first, last);
    Spread total = scanSpread(first, firstWhole * SumBlock);
    for (qsizetype c = firstWhole; c < lastWhole; ++c)
        total.add(m_spreads[static_cast<std::size_t>(c)]);
    total.add(scanSpread(lastWhole * SumBlock, last));
    return total;
}

void MinMaxLevels::buildUpper()
{
    while (m_levels.back().size() > 2) {
        const std::vector<float>& below = m_levels.back();
        std::vector<float> level;
        level.reserve((below.size() / 2 + 2) / 2 * 2);
        for (std::size_t i = 0; i < below.size(); i += 4) {
            const bool pair = i + 2 < below.size();
            // fmin/fmax pass over a NaN, so an empty block never hides its neighbour.
            level.push_back(pair ? std::fmin(below[i], below[i + 2]) : below[i]);
            level.push_back(pair ? std::fmax(below[i + 1], below[i + 3]) : below[i + 1]);
        }
        m_levels.push_back(std::move(level));
    }
}

template <typename Visit> void MinMaxLevels::forEachNumber(qsizetype first, qsizetype last, const Visit& visit) const
{
    if (const double* numbers = m_column.numberData()) {
        for (qsizetype i = first; i < last; ++i)
            visit(numbers[i]);
    } else {
        for (qsizetype i = first; i < last; ++i)
            visit(m_column.number(i));
    }
}

MinMax MinMaxLevels::scan(qsizetype first, qsizetype last) const
{
    // A NaN fails both comparisons and so is passed over.
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    forEachNumber(first, last, [&](double value) {
        low = value < low ? value : low;
        high = value > high ? value : high;
    });
    return low > high ? MinMax::none() : MinMax{low, high};
}

MinMax MinMaxLevels::blocks(int level, qsizetype firstBlock, qsizetype lastBlock) const
{
    if (level >= levelCount() || firstBlock >= lastBlock)
        return MinMax::none();
    const float* values = m_levels[static_cast<std::size_t>(level)].data();
    // A block without numbers holds NaN, which fails every comparison and so is passed over.
    float low = std::numeric_limits<float>::infinity();
    float high = -low;
    for (qsizetype i = firstBlock * 2; i < lastBlock * 2; i += 2) {
        low = values[i] < low ? values[i] : low;
        high = values[i + 1] > high ? values[i + 1] : high;
    }
    return low > high ? MinMax::none() : MinMax{low, high};
}

MinMax MinMaxLevels::range(qsizetype first, qsizetype last) const
{
    if (!m_column.isFilled())
        return MinMax::none();
    if (last - first < 2 * BaseBlock)
        return scan(first, last);
    // Whole base blocks in the middle, single records at the two ragged ends.
    qsizetype lowBlock = (first + BaseBlock - 1) / BaseBlock;
    qsizetype highBlock = last / BaseBlock;
    MinMax extremes = scan(first, lowBlock * BaseBlock);
    extremes.include(scan(highBlock * BaseBlock, last));
    // Climb the levels, taking the odd blocks at either end that have no partner inside the range.
    for (int level = 0; lowBlock < highBlock; ++level) {
        if (lowBlock & 1) {
            extremes.include(blocks(level, lowBlock, lowBlock + 1));
            ++lowBlock;
        }
        if (highBlock & 1) {
            --highBlock;
            extremes.include(blocks(level, highBlock, highBlock + 1));
        }
        lowBlock /= 2;
        highBlock /= 2;
    }
    return extremes;
}

qsizetype MinMaxLevels::byteSize() const
{
    qsizetype bytes = 0;
    for (const std::vector<float>& level : m_levels)
        bytes += static_cast<qsizetype>(level.capacity() * sizeof(float));
    return bytes + static_cast<qsizetype>(m_spreads.capacity() * sizeof(Spread));
}

std::optional<ValueRange> MinMaxLevels::finiteRange(qsizetype first, qsizetype last) const
{
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, m_column.size());
    constexpr double Infinity = std::numeric_limits<double>::infinity();
    ValueRange found{Infinity, -Infinity};
    if (first >= last || !m_column.isFilled())
        return std::nullopt;
    const int top = levelCount() - 1;
    const auto topBlocks = static_cast<qsizetype>(m_levels.back().size() / 2);
    for (Extreme extreme : {Extreme::Minimum, Extreme::Maximum}) {
        for (qsizetype block = 0; block < topBlocks; ++block)
            searchExtreme(extreme, top, block, first, last, found);
    }
    if (found.minimum > found.maximum)
        return std::nullopt;
    return found;
}

void MinMaxLevels::readFinite(qsizetype first, qsizetype last, ValueRange& found) const
{
    constexpr double Largest = std::numeric_limits<double>::max();
    const double* numbers = m_column.numberData();
    for (qsizetype i = first; i < last; ++i) {
        const double value = numbers ? numbers[i] : m_column.number(i);
        // NaN and the infinities fail the magnitude test and change nothing.
        const bool finite = std::fabs(value) <= Largest;
        found.minimum = finite && value < found.minimum ? value : found.minimum;
        found.maximum = finite && value > found.maximum ? value : found.maximum;
    }
}

// Block `block` of level `level`, as far as it lies in [first, last). A block is passed over when
// its bound cannot beat what was found (a bound is a float rounded outwards, so it never hides
// a better number); its halves are searched the more promising first.
void MinMaxLevels::searchExtreme(Extreme extreme, int level, qsizetype block, qsizetype first, qsizetype last, ValueRange& found) const
{
    const qsizetype span = blockSize(level);
    const qsizetype start = block * span;
    const qsizetype end = std::min((block + 1) * span, m_column.size());
    const qsizetype from = std::max(first, start);
    const qsizetype to = std::min(last, end);
    if (from >= to)
        return;
    // The block's bounds hold for any of its records, so they also bound the part in range.
    const float* bounds = m_levels[static_cast<std::size_t>(level)].data() + 2 * block;
    const bool minimum = extreme == Extreme::Minimum;
    if (std::isnan(bounds[0]) || (minimum ? bounds[0] >= found.minimum : bounds[1] <= found.maximum))
        return;
    if (level == 0) {
        readFinite(from, to, found);
        return;
    }
    const std::vector<float>& below = m_levels[static_cast<std::size_t>(level - 1)];
    const auto halves = below.data() + 4 * block;
    // The last block of a level may have a first half only.
    const bool second = static_cast<std::size_t>(4 * block + 2) < below.size();
    const bool secondFirst = second && (minimum ? halves[2] < halves[0] : halves[3] > halves[1]);
    searchExtreme(extreme, level - 1, 2 * block + (secondFirst ? 1 : 0), first, last, found);
    if (second)
        searchExtreme(extreme, level - 1, 2 * block + (secondFirst ? 0 : 1), first, last, found);
}

} // namespace qor
