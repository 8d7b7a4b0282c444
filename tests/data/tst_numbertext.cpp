#include "data/numbertext.h"

#include <QTest>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

using namespace qor::numbers;

class TestNumberText : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void valueTextOfRecordedDoubles_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("fraction") << 12.5 << "12.5";
        QTest::newRow("below one") << 0.25 << ".25";
        QTest::newRow("negative below one") << -0.25 << "-.25";
        QTest::newRow("integer") << 100.0 << "100";
        QTest::newRow("large") << 1e20 << "1E+20";
        QTest::newRow("small") << 1.5e-5 << "1.5E-05";
        QTest::newRow("fifteen digits") << 1.0 / 3.0 << ".333333333333333";
        QTest::newRow("binary noise rounds away") << 0.1 + 0.2 << ".3";
        QTest::newRow("largest plain") << 123456789012345.0 << "123456789012345";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("not a number") << std::nan("") << "NaN";
        QTest::newRow("infinite") << -std::numeric_limits<double>::infinity() << "-Inf";
    }
    void valueTextOfRecordedDoubles()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(valueText(value), text);
    }

    void exportTextKeepsTheZeroBeforeThePoint()
    {
        auto text = [](double value) {
            std::array<char, MaxValueTextSize> buffer{};
            const char* end = writeValueText(buffer.data(), value, LeadingZero::Yes);
            return QString::fromLatin1(buffer.data(), end - buffer.data());
        };
        QCOMPARE(text(0.25), "0.25");
        QCOMPARE(text(-0.25), "-0.25");
        QCOMPARE(text(0.0001), "0.0001");
        QCOMPARE(text(1e-5), "1E-05");
        QCOMPARE(text(1e20), "1E+20");
        QCOMPARE(text(12.5), "12.5");
    }

    // The scaled digits and the exact fallback against the C library's "%.15G" on values of every
    // magnitude: recorder-like values with few decimals, full-precision values, exact halves at the
    // 15th digit (printf rounds them to even) and their neighbours.
    void valueTextMatchesFifteenDigitGeneralForm()
    {
        std::mt19937_64 random(7);
        std::uniform_real_distribution<double> spread(-1000, 1000);
        std::uniform_real_distribution<double> decades(-12, 17);
        std::uniform_int_distribution<std::int64_t> fifteenDigits(100'000'000'000'000, 999'999'999'999'999);
        auto check = [](double value) {
            if (value == 0)
                return; // "-0" reads "0", a row of its own above
            std::array<char, 64> expected{};
            std::snprintf(expected.data(), expected.size(), "%.15G", value);
            QString want = QString::fromLatin1(expected.data());
            if (want.startsWith(u"0."))
                want.remove(0, 1);
            else if (want.startsWith(u"-0."))
                want.remove(1, 1);
            QCOMPARE(valueText(value), want);
        };
        for (int i = 0; i < 200000; ++i) {
            const std::uint64_t bits = random();
            double any = 0;
            std::memcpy(&any, &bits, sizeof any);
            if (std::isfinite(any))
                check(any);
            check(std::round(spread(random) * 10) / 10);
            check(std::round(spread(random) * 1e6) / 1e9);
            check(spread(random) * 1e12);
            check(std::copysign(std::pow(10.0, decades(random)), spread(random)));
            const double half = static_cast<double>(fifteenDigits(random)) + 0.5;
            for (const double near : {half, std::nextafter(half, 0.0), std::nextafter(half, 1e300)}) {
                for (const double scale : {1.0, 1.0 / 16, 1.0 / 1024, 1.0 / (1 << 30), 1e-13})
                    check(near * scale);
            }
        }
        for (const double edge : {1e15,
                                  999999999999999.0,
                                  9999999999999995.0,
                                  999999999999999.5,
                                  123456789012345.5,
                                  0.25,
                                  1e20,
                                  1.5e-7,
                                  1e-8,
                                  9.999999999999995e-9,
                                  1e22,
                                  1e23,
                                  0.1,
                                  std::nextafter(1e15, 0.0),
                                  1e-4,
                                  4.9e-324,
                                  1e-310,
                                  -2.5e-320,
                                  2.2250738585072014e-308,
                                  std::numeric_limits<double>::max()})
            check(edge);
    }

    void fixedTextRoundsHalfAwayFromZeroOnDecimalDigits()
    {
        QCOMPARE(fixedText(0.15, 1), "0.2"); // 0.15 is stored as 0.1499999..., but reads 0.15
        QCOMPARE(fixedText(-0.15, 1), "-0.2");
        QCOMPARE(fixedText(2.5, 0), "3");
        QCOMPARE(fixedText(9.96, 1), "10.0");
        QCOMPARE(fixedText(585.05, 6), "585.050000");
        QCOMPARE(fixedText(0.00004, 4), "0.0000");
        QCOMPARE(fixedText(-0.001, 2), "-0.00");
        QCOMPARE(fixedText(0, 2), "0.00");
        QCOMPARE(fixedText(123456.0, 1), "123456.0");
    }

    void statisticTextHasOneOrTwoDecimals()
    {
        QCOMPARE(statisticText(12.5), "12.5");
        QCOMPARE(statisticText(12.0), "12.0");
        QCOMPARE(statisticText(12.25), "12.25");
        QCOMPARE(statisticText(15000.456), "15000.46");
        QCOMPARE(statisticText(0.005), "0.01");
        QCOMPARE(statisticText(0.004), "0.0");
        QCOMPARE(statisticText(-3.0), "-3.0");
        QCOMPARE(statisticText(-1200.104), "-1200.1");
        QCOMPARE(statisticText(1e20), "100000000000000000000.0"); // no thousands separator, no exponent
        QCOMPARE(statisticText(9.999), "10.0");
    }

    void scaledTextOfRawValues()
    {
        const ChannelScale oneDecimal{13700, -2000, 1};
        QCOMPARE(scaledText(15000, oneDecimal), "585.0");
        QCOMPARE(scaledText(0, oneDecimal), "-200.0");
        QCOMPARE(scaledText(30000, oneDecimal), "1370.0");
        const ChannelScale noDecimals{1000, 0, 0};
        QCOMPARE(scaledText(3690, noDecimals), "123.");
        const ChannelScale negativeDecimals{1000, 0, -3};
        QCOMPARE(scaledText(3690, negativeDecimals), "123.");
        const ChannelScale eightDecimals{30000, 0, 8};
        QCOMPARE(scaledText(12345, eightDecimals), "0.000123");
        // Rounding happens on whole units before the text is cut, never after.
        const ChannelScale twoDecimals{30000, 0, 2};
        QCOMPARE(scaledText(-1, twoDecimals), "-0.01");
        QVERIFY(!ChannelScale({1, 0, 309}).isUsable());
        QVERIFY(ChannelScale({1, 0, 308}).isUsable());
    }

    void percentTextOfRawOutputs()
    {
        QCOMPARE(percentText(15000), "50.0");
        QCOMPARE(percentText(30000), "100.0");
        QCOMPARE(percentText(-300), "-1.0");
        QCOMPARE(percentText(45), "0.2");
        QCOMPARE(percentText(-1), "-0.0");
    }

    void parseNumberAcceptsOnlyWholeNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "12.50" << true << 12.5;
        QTest::newRow("blanks around") << " 12.5 " << true << 12.5;
        QTest::newRow("plus sign") << "+3" << true << 3.0;
        QTest::newRow("point first") << "-.25" << true << -0.25;
        QTest::newRow("exponent") << "1E+20" << true << 1e20;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("trailing text") << "12abc" << false << 0.0;
        QTest::newRow("infinity word") << "inf" << false << 0.0;
        QTest::newRow("nan word") << "nan" << false << 0.0;
        QTest::newRow("sign alone") << "-" << false << 0.0;
    }
    void parseNumberAcceptsOnlyWholeNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        const std::optional<double> parsed = parseNumber(QStringView(text));
        QCOMPARE(parsed.has_value(), isNumber);
        if (isNumber)
            QCOMPARE(*parsed, value);
    }

    void leadingNumberRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("digits then text") << "255 (red)" << 255.0;
        QTest::newRow("blanks anywhere") << " 1 2\t3\n" << 123.0;
        QTest::newRow("sign and point") << "-12.5x" << -12.5;
        QTest::newRow("second point ends") << "1.2.3" << 1.2;
        QTest::newRow("exponent") << "1.5E3" << 1500.0;
        QTest::newRow("exponent without digits") << "7E" << 7.0;
        QTest::newRow("hexadecimal") << "&HFF" << 255.0;
        QTest::newRow("octal") << "&o17" << 15.0;
        QTest::newRow("letters only") << "abc" << 0.0;
    }
    void leadingNumberRule()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(leadingNumber(text), value);
    }

    void roundingToIntegersSendsHalvesToEven()
    {
        QCOMPARE(toInt16(2.5), std::optional<std::int16_t>(2));
        QCOMPARE(toInt16(3.5), std::optional<std::int16_t>(4));
        QCOMPARE(toInt16(-2.5), std::optional<std::int16_t>(-2));
        QCOMPARE(toInt16(32767.4), std::optional<std::int16_t>(32767));
        QVERIFY(!toInt16(32767.5)); // rounds to 32768, which does not fit
        QVERIFY(!toInt32(1e10));
        QCOMPARE(toInt32(16777215.0), std::optional<std::int32_t>(16777215));
        QVERIFY(!toInt16(std::nan("")));
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
