#pragma once

#include <QString>

#include "bulkallocator.h"
#include "valuerange.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace qor {

class MinMaxLevels;

// One recorded quantity of a file, one entry per record, indexed from 0. Columns are immutable and
// shared: the data set, plots and grids hold the same object, so a later read that replaces a
// slot's columns leaves the earlier ones intact for whoever still shows them.
//
// Every value has the exact text that the file gives it and the number that text stands for (NaN
// when the text is no number). Consumers that show a value show text(); consumers that compute use
// number().
class ValueColumn {
  public:
    ValueColumn();
    virtual ~ValueColumn();
    virtual qsizetype size() const = 0;
    virtual double number(qsizetype index) const = 0;
    virtual QString text(qsizetype index) const = 0;
    // False for a column that the file did not fill: every text empty, every number NaN.
    virtual bool isFilled() const { return true; }
    // All numbers as one array, for columns that keep them so (nullptr otherwise): long scans
    // then read memory instead of making a call per value.
    virtual const double* numberData() const { return nullptr; }

    // The minimum/maximum levels of the numbers, built on first use (once, whichever thread asks
    // first) and kept here, so that every plot showing the column shares them.
    const MinMaxLevels& minMaxLevels() const;
    // Whether they are built already, without waiting for a build under way.
    bool hasMinMaxLevels() const { return m_levelsReady.load(std::memory_order_acquire); }

  private:
    mutable std::once_flag m_levelsBuilt;
    mutable std::unique_ptr<const MinMaxLevels> m_levels;
    mutable std::atomic<bool> m_levelsReady = false;
};

using ColumnPtr = std::shared_ptr<const ValueColumn>;

// Builds the minimum/maximum levels of every column not yet built, several columns at once: a
// column's levels end in a pass on one core, which the other cores fill with the next column.
void buildMinMaxLevels(const std::vector<const ValueColumn*>& columns);

// Values recorded as binary doubles: the text is the value text of the number.
class DoubleColumn final : public ValueColumn {
  public:
    explicit DoubleColumn(NumberArray values);
    qsizetype size() const override;
    const double* numberData() const override { return m_values.data(); }
    double number(qsizetype index) const override;
    QString text(qsizetype index) const override;

  private:
    NumberArray m_values;
};

// Values that are written with a fixed number of decimals. With no decimals the text keeps its
// decimal point ("123."), as scaled recorder values are shown.
class FixedPointColumn final : public ValueColumn {
  public:
    FixedPointColumn(NumberArray values, int decimals, bool pointWithoutDecimals);
    qsizetype size() const override;
    const double* numberData() const override { return m_values.data(); }
    double number(qsizetype index) const override;
    QString text(qsizetype index) const override;

  private:
    NumberArray m_values;
    int m_decimals;
    bool m_pointWithoutDecimals;
};

// A column that the file did not fill.
class BlankColumn final : public ValueColumn {
  public:
    explicit BlankColumn(qsizetype size);
    qsizetype size() const override;
    double number(qsizetype index) const override;
    QString text(qsizetype index) const override;
    bool isFilled() const override;

  private:
    qsizetype m_size;
};

// The range of the column's numbers over records `first` to `last` (the rule of valueRange), found
// through the column's minimum/maximum levels, so that only the blocks that hold an extreme are read.
std::optional<ValueRange> numberRange(const ValueColumn& column, qsizetype first, qsizetype last);

} // namespace qor
