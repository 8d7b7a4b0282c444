#include "data/datetime.h"

#include <QTest>

using namespace qor::datetime;

class TestDateTime : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void serialsCountDaysFromTheEpoch()
    {
        QCOMPARE(dateSerial(1899, 12, 30), 0.0);
        QCOMPARE(dateSerial(1900, 1, 1), 2.0);
        QCOMPARE(dateSerial(2015, 3, 1), 42064.0);
        QCOMPARE(dateSerial(1899, 12, 29), -1.0);
    }

    void monthsAndDaysRollOver()
    {
        QCOMPARE(dateSerial(2014, 13, 1), dateSerial(2015, 1, 1));
        QCOMPARE(dateSerial(2015, 3, 0), dateSerial(2015, 2, 28));
        QCOMPARE(dateSerial(2016, 3, 0), dateSerial(2016, 2, 29));
        QCOMPARE(dateSerial(2015, 0, 1), dateSerial(2014, 12, 1));
        QCOMPARE(dateSerial(2015, 1, 99), dateSerial(2015, 4, 9));
        QCOMPARE(dateSerial(2015, -11, 1), dateSerial(2014, 1, 1));
    }

    void secondsConvertBothWaysExactly()
    {
        const double start = addSeconds(dateSerial(2015, 3, 1), 8 * 3600);
        QCOMPARE(isoText(start), "2015-03-01 08:00:00");
        QCOMPARE(isoText(addSeconds(start, -1)), "2015-03-01 07:59:59");
        QCOMPARE(isoText(addSeconds(start, 30 * 3600)), "2015-03-02 14:00:00");
        QCOMPARE(wholeSecondsBetween(start, addSeconds(start, 123456789)), 123456789);
        // A serial off by less than half a second still names the same second.
        QCOMPARE(secondsFromSerial(start + 0.4 / SecondsPerDay), secondsFromSerial(start));
        QCOMPARE(isoText(addSeconds(dateSerial(1899, 12, 30), -1)), "1899-12-29 23:59:59");
    }

    void formatPatterns()
    {
        const double t = addSeconds(dateSerial(2015, 3, 1), 13 * 3600 + 5 * 60 + 9);
        QCOMPARE(format(t, u"mm/dd hh:nn:ss"), "03/01 13:05:09");
        QCOMPARE(format(t, u"yyyy-mm-dd hh:mm"), "2015-03-01 13:05");
        QCOMPARE(format(t, u"yyyy-mm-dd AMPM hh:mm:ss ", amPmFor(u"ENG")), "2015-03-01 PM 01:05:09 ");
        const double elapsed = serialFromSeconds(30 * 3600 + 61);
        QCOMPARE(format(elapsed, u"hhhh:nn:ss"), "30:01:01");
        QCOMPARE(format(serialFromSeconds(5), u"hhhh:nn:ss"), "00:00:05");
    }

    void generalTextFollowsTheLanguage()
    {
        const double morning = addSeconds(dateSerial(2015, 3, 1), 8 * 3600 + 7);
        QCOMPARE(generalText(morning, amPmFor(u"KOR")), "2015-03-01 오전 8:00:07");
        QCOMPARE(generalText(morning + 0.5, amPmFor(u"CHR")), "2015-03-01 下午 8:00:07");
        QCOMPARE(generalText(addSeconds(dateSerial(2015, 3, 1), 12 * 3600), amPmFor(u"ENG")), "2015-03-01 PM 12:00:00");
        QCOMPARE(generalText(addSeconds(dateSerial(2015, 3, 1), 30), amPmFor(u"ENG")), "2015-03-01 AM 12:00:30");
        QCOMPARE(generalText(dateSerial(2015, 3, 1), amPmFor(u"ENG")), "2015-03-01");
    }
};

QTEST_GUILESS_MAIN(TestDateTime)
#include "tst_datetime.moc"
