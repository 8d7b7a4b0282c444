#include "data/valuecolumn.h"
#include "data/valuerange.h"

#include <QTest>

#include <limits>
#include <vector>

using namespace qor;

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

    // A column's range over its own array, split between the cores, keeps the rule: the extremes
    // may lie in any part, and parts without a number add nothing.
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
        values[values.size() - 7] = 1e9;      // the maximum, in the last part
        values[values.size() / 2 + 3] = -1e9; // the minimum, in the middle
        const DoubleColumn column(values);
        const auto expected = valueRange(first, last, [&](qsizetype i) { return values[static_cast<std::size_t>(i)]; });
        const std::optional<ValueRange> actual = numberRange(column, first, last);
        QCOMPARE(actual.has_value(), expected.has_value());
        if (expected) {
            QCOMPARE(actual->minimum, expected->minimum);
            QCOMPARE(actual->maximum, expected->maximum);
        }
    }
};

QTEST_APPLESS_MAIN(TestValueRange)
#include "tst_valuerange.moc"
