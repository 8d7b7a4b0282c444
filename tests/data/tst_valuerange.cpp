#include "data/valuecolumn.h"
#include "data/valuerange.h"

#include <QTest>

#include <array>
#include <limits>
#include <random>
#include <vector>

using namespace qor;

namespace {

// A column's range is the range that reading every one of its values gives.
void verifyFullReadRange(const NumberArray& values, const ValueColumn& column, qsizetype first, qsizetype last)
{
    const auto expected = valueRange(first, last, [&](qsizetype i) { return values[static_cast<std::size_t>(i)]; });
    const std::optional<ValueRange> actual = numberRange(column, first, last);
    QCOMPARE(actual.has_value(), expected.has_value());
    if (expected) {
        QCOMPARE(actual->minimum, expected->minimum);
        QCOMPARE(actual->maximum, expected->maximum);
    }
}

} // namespace

// The one rule of every statistic: values that are no finite number are passed over.
class TestValueRange : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void noNumbersAndInfinitiesArePassedOver()
    {
        constexpr double nan = std::numeric_limits<double>::quiet_NaN();
        constexpr double inf = std::numeric_limits<double>::infinity();
        const std::vector<double> values = {nan, 4.5, -inf, -2.0, inf, 7.25, nan};
        const auto number = [&](std::size_t i) { return values[i]; };
        const std::optional<ValueRange> all = valueRange(std::size_t{0}, values.size() - 1, number);
        QVERIFY(all);
        QCOMPARE(all->minimum, -2.0);
        QCOMPARE(all->maximum, 7.25);
        const std::optional<ValueRange> one = valueRange(std::size_t{5}, std::size_t{5}, number);
        QVERIFY(one && one->minimum == 7.25 && one->maximum == 7.25);
        QVERIFY(!valueRange(std::size_t{4}, std::size_t{4}, number));
        QVERIFY(!valueRange(std::size_t{0}, std::size_t{0}, number));
        QVERIFY(!valueRange(std::size_t{3}, std::size_t{2}, number)); // an empty range
    }

    // A column's range keeps the rule: single extremes anywhere are found, and records without a
    // number add nothing.
    void columnRangesKeepTheRule_data()
    {
        QTest::addColumn<qsizetype>("first");
        QTest::addColumn<qsizetype>("last");
        const qsizetype size = 3 << 20;
        QTest::newRow("whole column") << qsizetype{0} << size - 1;
        QTest::newRow("second half") << size / 2 << size - 1;
        QTest::newRow("a few records") << qsizetype{10} << qsizetype{14};
        QTest::newRow("only no numbers") << qsizetype{20} << qsizetype{21};
        QTest::newRow("empty") << qsizetype{5} << qsizetype{4};
    }

    void columnRangesKeepTheRule()
    {
        QFETCH(qsizetype, first);
        QFETCH(qsizetype, last);
        constexpr double nan = std::numeric_limits<double>::quiet_NaN();
        constexpr double inf = std::numeric_limits<double>::infinity();
        NumberArray values(3 << 20);
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = static_cast<double>(i % 1000) - 500;
        values[20] = nan;
        values[21] = inf;
        values[12] = -inf;
        values[values.size() - 7] = 1e9;      // the maximum, near the end
        values[values.size() / 2 + 3] = -1e9; // the minimum, in the middle
        const DoubleColumn column(values);
        verifyFullReadRange(values, column, first, last);
    }

    // The levels only prune what cannot widen the range: any column, any records, the same answer
    // as reading every value.
    void columnRangesMatchAFullReadOnAnyColumn_data()
    {
        QTest::addColumn<int>("pattern");
        QTest::newRow("noise") << 0;
        QTest::newRow("constant") << 1;
        QTest::newRow("rising ramp") << 2;
        QTest::newRow("falling ramp with no numbers") << 3;
        QTest::newRow("beyond float range, infinities") << 4;
    }

    void columnRangesMatchAFullReadOnAnyColumn()
    {
        QFETCH(int, pattern);
        constexpr double nan = std::numeric_limits<double>::quiet_NaN();
        constexpr double inf = std::numeric_limits<double>::infinity();
        std::mt19937 random(7 + static_cast<unsigned>(pattern));
        std::uniform_real_distribution<double> noise(-100, 100);
        NumberArray values(100'003);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const auto x = static_cast<double>(i);
            const double by[] = {noise(random), 40.0, x * 0.001 + 1e-9 * noise(random), -x, noise(random) * 1e305};
            values[i] = by[pattern];
            if (pattern >= 3 && random() % 97 == 0)
                values[i] = std::array{nan, inf, -inf}[random() % 3];
        }
        const DoubleColumn column(values);
        std::uniform_int_distribution<qsizetype> index(0, static_cast<qsizetype>(values.size()) - 1);
        for (int trial = 0; trial < 300; ++trial) {
            qsizetype first = index(random);
            qsizetype last = trial % 3 == 0 ? std::min<qsizetype>(first + trial % 50, values.size() - 1) : index(random);
            if (first > last)
                std::swap(first, last);
            verifyFullReadRange(values, column, first, last);
        }
    }
};

QTEST_APPLESS_MAIN(TestValueRange)
#include "tst_valuerange.moc"
