#include "data/rangemeasures.h"
#include "data/valuecolumn.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <numeric>

using namespace qor;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

ColumnPtr columnOf(const std::vector<double>& values)
{
    return std::make_shared<const DoubleColumn>(NumberArray(values.begin(), values.end()));
}

// A column that gives its numbers one by one only, as a column of texts does.
class NumbersOneByOne final : public ValueColumn {
  public:
    explicit NumbersOneByOne(const std::vector<double>& values)
        : m_values(values)
    {
    }
    qsizetype size() const override { return static_cast<qsizetype>(m_values.size()); }
    double number(qsizetype index) const override { return m_values[static_cast<std::size_t>(index)]; }
    QString text(qsizetype index) const override { return QString::number(number(index)); }

  private:
    std::vector<double> m_values;
};

// The measures as a reader would work them out by hand, over the finite values only.
RangeMeasures byHand(const std::vector<double>& values)
{
    std::vector<double> finite;
    for (double value : values) {
        if (std::isfinite(value))
            finite.push_back(value);
    }
    RangeMeasures expected;
    expected.numbers = static_cast<qsizetype>(finite.size());
    const double n = static_cast<double>(finite.size());
    expected.mean = std::accumulate(finite.begin(), finite.end(), 0.0) / n;
    double squares = 0;
    for (double value : finite)
        squares += (value - expected.mean) * (value - expected.mean);
    expected.standardDeviation = std::sqrt(squares / n);
    expected.change = finite.back() - finite.front();
    return expected;
}

void compare(const std::optional<RangeMeasures>& actual, const RangeMeasures& expected, double tolerance)
{
    QVERIFY(actual);
    QCOMPARE(actual->numbers, expected.numbers);
    QVERIFY2(std::abs(actual->mean - expected.mean) <= tolerance, qPrintable(QString::number(actual->mean, 'g', 17)));
    QVERIFY2(std::abs(actual->standardDeviation - expected.standardDeviation) <= tolerance,
             qPrintable(QString::number(actual->standardDeviation, 'g', 17)));
    QVERIFY2(std::abs(actual->change - expected.change) <= tolerance, qPrintable(QString::number(actual->change, 'g', 17)));
}

} // namespace

class TestRangeMeasures : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void measuresOfKnownRecords()
    {
        const ColumnPtr column = columnOf({5, 1, 2, 4, 8, 9});
        compare(measureRange(*column, 1, 4), byHand({1, 2, 4, 8}), 1e-12);
        const std::optional<RangeMeasures> two = measureRange(*column, 3, 4);
        QVERIFY(two);
        QCOMPARE(two->mean, 6.0);
        QCOMPARE(two->standardDeviation, 2.0);
        QCOMPARE(two->change, 4.0);
    }

    // Values that are no numbers measure nothing, at the ends of the range as inside it: the change
    // runs from the first number to the last.
    void nonNumbersArePassedOver()
    {
        const double inf = std::numeric_limits<double>::infinity();
        const std::vector<double> values = {NaN, 3, NaN, -inf, 7, 11, inf, NaN};
        const ColumnPtr column = columnOf(values);
        compare(measureRange(*column, 0, 7), byHand(values), 1e-12);
        QCOMPARE(measureRange(*column, 0, 7)->change, 8.0);
        QVERIFY(!measureRange(*columnOf({NaN, inf, NaN}), 0, 2));
        QVERIFY(!measureRange(*column, 5, 4)); // an empty range
    }

    // Large values with a small spread keep their spread.
    void aLargeOffsetKeepsItsPrecision()
    {
        std::vector<double> values;
        for (int i = 0; i < 1000; ++i)
            values.push_back(1e9 + (i % 2 == 0 ? 0.25 : -0.25));
        const std::optional<RangeMeasures> measures = measureRange(*columnOf(values), 0, 999);
        QVERIFY(measures);
        QCOMPARE(measures->mean, 1e9);
        QVERIFY(std::abs(measures->standardDeviation - 0.25) < 1e-9);
    }

    // A range long enough to be measured in parts gives what one pass gives, on a column that has
    // its numbers in an array and on one that has not.
    void aLongRangeMeasuredInParts()
    {
        std::vector<double> values(3'000'001);
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = i % 1000 == 7 ? NaN : std::sin(static_cast<double>(i) * 0.001) * 50 + 100;
        const qsizetype first = 17;
        const qsizetype last = 2'999'990;
        const RangeMeasures expected = byHand({values.begin() + first, values.begin() + last + 1});
        compare(measureRange(*columnOf(values), first, last), expected, 1e-9);
        compare(measureRange(NumbersOneByOne(values), first, last), expected, 1e-9);
        QVERIFY(!measureRange(BlankColumn(10), 0, 9));
    }

    void onlyTheIncludedRecordsCount()
    {
        const ColumnPtr column = columnOf({1, 100, 2, 100, 3});
        compare(measureRecords(*column, 0, 4, [](qsizetype r) { return r % 2 == 0; }), byHand({1, 2, 3}), 1e-12);
        QVERIFY(!measureRecords(*column, 0, 4, [](qsizetype) { return false; }));
    }

    void durationTexts_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "Δt 00:00:00";
        QTest::newRow("hours") << qint64(4350) << "Δt 01:12:30";
        QTest::newRow("below a day") << qint64(86399) << "Δt 23:59:59";
        QTest::newRow("a day") << qint64(86400) << "Δt 1d 00:00:00";
        QTest::newRow("days") << qint64(2 * 86400 + 3723) << "Δt 2d 01:02:03";
        QTest::newRow("backwards") << qint64(-61) << "Δt 00:01:01";
    }

    void durationTexts()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(durationText(seconds), text);
    }
};

QTEST_GUILESS_MAIN(TestRangeMeasures)
#include "tst_rangemeasures.moc"
