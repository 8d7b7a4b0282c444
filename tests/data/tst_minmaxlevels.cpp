#include "data/minmaxlevels.h"
#include "data/valuecolumn.h"

#include "support/plotdata.h"

#include <QTest>

#include <atomic>
#include <cmath>
#include <random>

using namespace qor;

namespace {

// A column that counts how often its numbers are read, to see the levels built once.
class CountingColumn final : public ValueColumn {
  public:
    explicit CountingColumn(qsizetype size)
        : m_size(size)
    {
    }
    qsizetype size() const override { return m_size; }
    double number(qsizetype index) const override
    {
        ++m_reads;
        return static_cast<double>(index % 1000);
    }
    QString text(qsizetype index) const override { return QString::number(number(index)); }
    qint64 reads() const { return m_reads; }

  private:
    qsizetype m_size;
    mutable std::atomic<qint64> m_reads = 0;
};

MinMax bruteForce(const ValueColumn& column, qsizetype first, qsizetype last)
{
    MinMax extremes = MinMax::none();
    for (qsizetype i = first; i < last; ++i)
        extremes.include(column.number(i));
    return extremes;
}

} // namespace

class TestMinMaxLevels : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void rangesMatchAScanOfTheRecords()
    {
        // Whole numbers are exact as floats, so the levels must give exactly the scanned extremes.
        std::mt19937 random(7);
        std::uniform_int_distribution<int> number(-5000, 5000);
        std::vector<double> drawn(100'003);
        for (double& value : drawn)
            value = random() % 50 == 0 ? std::nan("") : number(random);
        const ColumnPtr column =
            plotdata::values(static_cast<qsizetype>(drawn.size()), [&](qsizetype i) { return drawn[static_cast<std::size_t>(i)]; });
        const MinMaxLevels& levels = column->minMaxLevels();
        std::uniform_int_distribution<qsizetype> index(0, column->size());
        for (int trial = 0; trial < 2000; ++trial) {
            qsizetype first = index(random), last = index(random);
            if (first > last)
                std::swap(first, last);
            const MinMax expected = bruteForce(*column, first, last);
            const MinMax got = levels.range(first, last);
            QCOMPARE(got.isEmpty(), expected.isEmpty());
            if (!expected.isEmpty()) {
                QCOMPARE(got.minimum, expected.minimum);
                QCOMPARE(got.maximum, expected.maximum);
            }
        }
        QCOMPARE(levels.range(0, column->size()).minimum, -5000.0);
    }

    void extremesAreRoundedOutwards()
    {
        const ColumnPtr column = plotdata::values(4096, [](qsizetype i) { return i == 1000 ? 0.1 : 0.05; });
        const MinMax extremes = column->minMaxLevels().range(0, 4096);
        QVERIFY(extremes.maximum >= 0.1);
        QVERIFY(extremes.maximum < 0.1 + 1e-7);
        QVERIFY(extremes.minimum <= 0.05);
        QVERIFY(extremes.minimum > 0.05 - 1e-7);
    }

    void blocksWithoutNumbersAreEmpty()
    {
        const ColumnPtr column = plotdata::values(1000, [](qsizetype i) { return i < 500 ? std::nan("") : 3.0; });
        QVERIFY(column->minMaxLevels().range(0, 480).isEmpty());
        QCOMPARE(column->minMaxLevels().range(0, 1000).maximum, 3.0);
        QVERIFY(BlankColumn(1000).minMaxLevels().range(0, 1000).isEmpty());
    }

    void levelsCostAtMostFifteenPercentOfTheColumn()
    {
        const qsizetype size = 1'000'000;
        const ColumnPtr column = plotdata::values(size, [](qsizetype i) { return static_cast<double>(i); });
        const double fraction = static_cast<double>(column->minMaxLevels().byteSize()) / static_cast<double>(size * sizeof(double));
        QVERIFY2(fraction <= 0.15, qPrintable(QString::number(fraction)));
        QVERIFY(fraction > 0.05); // the levels are really there
    }

    void builtOnceAndKeptInTheColumn()
    {
        const CountingColumn column(100'000);
        const MinMaxLevels* first = &column.minMaxLevels();
        const qint64 readsToBuild = column.reads();
        QCOMPARE(readsToBuild, column.size());
        QCOMPARE(&column.minMaxLevels(), first);
        QCOMPARE(column.reads(), readsToBuild);

        // Built together, a column listed twice is still read once, and a built one not again.
        const CountingColumn other(300'000);
        buildMinMaxLevels({&other, &column, &other});
        QCOMPARE(other.reads(), other.size());
        QCOMPARE(column.reads(), readsToBuild);
        QCOMPARE(other.minMaxLevels().range(0, other.size()).maximum, 999.0);
    }
};

QTEST_MAIN(TestMinMaxLevels)
#include "tst_minmaxlevels.moc"
