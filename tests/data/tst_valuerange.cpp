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
};

QTEST_APPLESS_MAIN(TestValueRange)
#include "tst_valuerange.moc"
