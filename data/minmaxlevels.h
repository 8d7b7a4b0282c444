#pragma once

#include "valuerange.h"

#include <QtGlobal>

#include <optional>
#include <vector>

namespace qor {

class ValueColumn;

// The smallest and largest number of a run of records, as the plots draw them; both NaN when the
// run holds no number. Unlike the statistics (valueRange), an infinite reading counts: the plot
// reaches the edge of its axis where a reading overflowed.
struct MinMax {
    double minimum;
    double maximum;

    bool isEmpty() const;
    void include(double value);
    void include(const MinMax& other);
    static MinMax none();
};

// Precomputed minimum and maximum of a column's numbers per block of 16 records, then per 32, 64,
// and so on up to one block, so that the extremes of any run of records take O(log n) steps. The
// graph uses them to reduce a plot to one minimum and maximum per pixel column, whatever the record
// count. The extremes are kept as floats rounded outwards (a minimum never rises, a maximum never
// falls), so a spike of one record is never lost; the levels cost 1/16 of a byte per record and
// level, an eighth of a column of doubles in all. Read in the same pass, the count, mean and spread
// of the finite numbers of every chunk of SumBlock records give those of any run of records from its
// two partial ends and the chunks between.
class MinMaxLevels {
  public:
    static constexpr qsizetype BaseBlock = 16;
    static constexpr qsizetype SumBlock = 1024;

    // The count, mean and sum of squared deviations from the mean of some finite numbers. Parts
    // merge without losing precision to large values with a small spread.
    struct Spread {
        qsizetype numbers = 0;
        double mean = 0;
        double squaredDeviations = 0;

        void add(const Spread& other);
    };

    // Reads every number of `column`, which must outlive the levels (the column keeps them).
    explicit MinMaxLevels(const ValueColumn& column);

    // The extremes of the numbers of records [first, last).
    MinMax range(qsizetype first, qsizetype last) const;
    // The exact smallest and largest finite numbers of records [first, last), the statistics' rule
    // (valueRange). The levels bound every block, so only the blocks that may hold a new extreme are
    // read: the largest-bounded first, and any block that cannot widen what was found is passed over.
    std::optional<ValueRange> finiteRange(qsizetype first, qsizetype last) const;
    // The extremes of blocks [firstBlock, lastBlock) of one level, read in sequence: the cheap way to
    // reduce many neighbouring runs whose ends lie on that level's block boundaries.
    MinMax blocks(int level, qsizetype firstBlock, qsizetype lastBlock) const;
    static constexpr qsizetype blockSize(int level) { return BaseBlock << level; }
    // The spread of the finite numbers of records [first, last).
    Spread spread(qsizetype first, qsizetype last) const;

    int levelCount() const { return static_cast<int>(m_levels.size()); }
    qsizetype byteSize() const;

  private:
    template <typename Visit> void forEachNumber(qsizetype first, qsizetype last, const Visit& visit) const;
    MinMax scan(qsizetype first, qsizetype last) const;
    Spread scanSpread(qsizetype first, qsizetype last) const;
    void buildChunk(qsizetype chunk, std::vector<float>& base);
    enum class Extreme { Minimum, Maximum };
    void searchExtreme(Extreme extreme, int level, qsizetype block, qsizetype first, qsizetype last, ValueRange& found) const;
    void readFinite(qsizetype first, qsizetype last, ValueRange& found) const;
    void buildBase();
    void buildUpper();

    const ValueColumn& m_column;
    // Level L holds min, max interleaved for blocks of BaseBlock << L records.
    std::vector<std::vector<float>> m_levels;
    std::vector<Spread> m_spreads; // per chunk of SumBlock records
};

} // namespace qor
