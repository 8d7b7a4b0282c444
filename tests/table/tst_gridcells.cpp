#include "table/blockstatistics.h"
#include "table/gridcells.h"
#include "table/timetextsearch.h"
#include "textcolumn.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using namespace qor;

namespace {

datetime::AmPm english()
{
    return datetime::amPmFor(u"ENG");
}

TimePtr timesOf(std::initializer_list<std::int64_t> seconds)
{
    auto times = std::make_shared<TimeColumn>();
    for (std::int64_t s : seconds)
        times->push_back(datetime::serialFromSeconds(s));
    return times;
}

std::int64_t at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return datetime::secondsFromSerial(datetime::dateSerial(year, month, day)) + hour * 3600 + minute * 60 + second;
}

GridCells grid(int cols, int rows)
{
    GridCells cells(&english);
    cells.setMaxCols(cols);
    cells.setMaxRows(rows);
    return cells;
}

// The first index whose text begins with the needle, found by making every text.
qsizetype bruteForce(const TimeColumn& times, qsizetype first, qsizetype last, const QString& needle, const datetime::AmPm& amPm)
{
    for (qsizetype i = first; i <= last; ++i) {
        if (datetime::generalText(times[static_cast<std::size_t>(i)], amPm).startsWith(needle))
            return i;
    }
    return -1;
}

} // namespace

class TestGridCells : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void clipFillsFromTheTopLeftCell()
    {
        GridCells cells = grid(3, 2);
        cells.Clip(u"\tTIME\tPV\tSP\textra");
        QCOMPARE(cells.GetText(0, 0), "");
        QCOMPARE(cells.GetText(1, 0), "TIME");
        QCOMPARE(cells.GetText(3, 0), "SP");
        QCOMPARE(cells.GetText(4, 0), ""); // beyond MaxCols: dropped
        // A leading carriage return leaves row 0 alone; CR LF counts as one row break.
        cells.Clip(u"\rmin\r\nmax\rlost");
        QCOMPARE(cells.GetText(1, 0), "TIME");
        QCOMPARE(cells.GetText(0, 0), "");
        QCOMPARE(cells.GetText(0, 1), "min");
        QCOMPARE(cells.GetText(0, 2), "max");
        QCOMPARE(cells.GetText(0, 3), "");
        QVERIFY(cells.hasOwnText(0, 2));
        QVERIFY(!cells.hasOwnText(0, 3));
        QCOMPARE(cells.Clip(u"a\tb\rc"), std::make_pair(1, 1));
        QCOMPARE(cells.GetText(0, 1), "c");
    }

    void setArraySharesAndPlacesTheColumn()
    {
        GridCells cells = grid(2, 5);
        const ColumnPtr values = TextColumn::of({"1.5", "abc", "", "-2"});
        cells.setText(2, 3, QStringLiteral("written before"));
        cells.SetArray(2, 2, values);
        QCOMPARE(values.use_count(), 2); // shared, not copied
        QCOMPARE(cells.GetText(2, 1), "");
        QCOMPARE(cells.GetText(2, 2), "1.5");
        QCOMPARE(cells.GetText(2, 3), "abc"); // the array replaces texts in the rows it covers
        QCOMPARE(cells.GetText(2, 5), "-2");
        QCOMPARE(cells.GetText(2, 6), "");
        QCOMPARE(cells.number(2, 2), 1.5);
        QVERIFY(std::isnan(cells.number(2, 3)));
        QVERIFY(std::isnan(cells.number(2, 4)));
        // A text set later stands in front of the array, and counts as a number when it is one.
        cells.setText(2, 2, QStringLiteral("7.25"));
        QCOMPARE(cells.GetText(2, 2), "7.25");
        QCOMPARE(cells.number(2, 2), 7.25);
        // Outside the grid nothing is read or written.
        cells.setText(3, 1, QStringLiteral("x"));
        QCOMPARE(cells.GetText(3, 1), "");
        QCOMPARE(cells.GetText(-1, 0), "");
        QVERIFY(std::isnan(cells.number(2, 0)));
    }

    void timeColumnsShowTheGeneralTextOfTheLanguage()
    {
        QString lang = QStringLiteral("ENG");
        GridCells cells([&lang] { return datetime::amPmFor(lang); });
        cells.setMaxCols(1);
        cells.setMaxRows(2);
        cells.SetArray(1, 1, timesOf({at(2015, 3, 1, 13, 5, 9), at(2015, 3, 2)}));
        QCOMPARE(cells.GetText(1, 1), "2015-03-01 PM 1:05:09");
        QCOMPARE(cells.GetText(1, 2), "2015-03-02");
        QVERIFY(std::isnan(cells.number(1, 1)));
        lang = QStringLiteral("KOR");
        QCOMPARE(cells.GetText(1, 1), "2015-03-01 오후 1:05:09");
    }

    void shrinkingForgetsCells()
    {
        GridCells cells = grid(3, 3);
        cells.setText(3, 3, QStringLiteral("corner"));
        cells.setText(1, 0, QStringLiteral("head"));
        cells.setMaxRows(2);
        cells.setMaxCols(2);
        cells.setMaxRows(3);
        cells.setMaxCols(3);
        QCOMPARE(cells.GetText(3, 3), "");
        QCOMPARE(cells.GetText(1, 0), "head");
        QVERIFY(!cells.hasOwnText(3, 3));
    }

    void searchColMatchesTheBeginningOfTheText()
    {
        GridCells cells = grid(2, 6);
        cells.SetArray(2, 1, TextColumn::of({"12.5", "3", "31", "31.5", "", "3"}));
        QCOMPARE(cells.SearchCol(2, 1, 6, u"3"), 2);
        QCOMPARE(cells.SearchCol(2, 3, 6, u"3"), 3); // the first row is searched too
        QCOMPARE(cells.SearchCol(2, 1, 6, u"31."), 4);
        QCOMPARE(cells.SearchCol(2, 5, 5, u"3"), -1);
        QCOMPARE(cells.SearchCol(2, 1, 6, u"9"), -1);
        QCOMPARE(cells.SearchCol(2, 0, 99, u"3"), 2); // the range is limited to the grid
        QCOMPARE(cells.SearchCol(2, 4, 3, u"3"), -1); // an empty range finds nothing
        QCOMPARE(cells.SearchCol(3, 1, 6, u"3"), -1);
        QCOMPARE(cells.SearchCol(2, 2, 6, u""), 2);
        cells.setText(2, 1, QStringLiteral("3 written"));
        QCOMPARE(cells.SearchCol(2, 1, 6, u"3 w"), 1);
    }

    void searchColFindsTimesByTheirText_data()
    {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("row");
        QTest::newRow("minute") << "2015-03-01 PM 1:05" << 1 << 3;
        QTest::newRow("minute from a later row") << "2015-03-01 PM 1:05" << 4 << 4;
        QTest::newRow("PM 1 begins PM 12 too") << "2015-03-01 PM 1" << 1 << 2;
        QTest::newRow("hour 1") << "2015-03-01 PM 1:" << 1 << 3;
        QTest::newRow("hour 10") << "2015-03-01 PM 10" << 1 << 5;
        QTest::newRow("date alone at midnight") << "2015-03-02" << 1 << 6;
        QTest::newRow("midnight has no clock text") << "2015-03-02 AM 12:00" << 1 << 7;
        QTest::newRow("a whole hour matches but its midnight") << "2015-03-02 AM" << 1 << 7;
        QTest::newRow("month") << "2015-03" << 1 << 1;
        QTest::newRow("no such day") << "2015-03-03" << 1 << -1;
        QTest::newRow("no such minute") << "2015-03-01 PM 1:06" << 1 << -1;
        QTest::newRow("year 2016") << "2016" << 1 << 8;
    }
    void searchColFindsTimesByTheirText()
    {
        QFETCH(QString, needle);
        QFETCH(int, first);
        QFETCH(int, row);
        const TimePtr times =
            timesOf({at(2015, 3, 1, 0, 0, 5), at(2015, 3, 1, 12, 0, 0), at(2015, 3, 1, 13, 5, 9), at(2015, 3, 1, 13, 5, 59),
                     at(2015, 3, 1, 22, 0, 0), at(2015, 3, 2), at(2015, 3, 2, 0, 0, 1), at(2016, 1, 1, 8)});
        GridCells cells = grid(1, 8);
        cells.SetArray(1, 1, times);
        QCOMPARE(cells.SearchCol(1, first, 8, needle), row);
        // The same with a last record out of order, which makes the search scan: the first row found
        // stays the same.
        auto shuffled = std::make_shared<TimeColumn>(*times);
        shuffled->push_back((*times)[0]);
        GridCells scanned = grid(1, 9);
        scanned.SetArray(1, 1, TimePtr(shuffled));
        QCOMPARE(scanned.SearchCol(1, first, 9, needle), row);
    }

    void blockStatisticsPassOverTextsThatAreNoNumbers()
    {
        GridCells cells = grid(4, 5);
        cells.SetArray(1, 1, timesOf({0, 1, 2, 3, 4}));
        cells.SetArray(2, 1, TextColumn::of({"abc", "12000", "", "15000.5", "-3"}));
        cells.SetArray(3, 1, TextColumn::of({"1x", "", " ", "-", "."}));
        cells.setText(4, 2, QStringLiteral("-1E+30"));
        const auto ranges = blockStatistics(cells, 1, 5, 4, 2); // rows 4 up to 2: the same as 2 to 4
        QCOMPARE(ranges.size(), std::size_t(5));
        QVERIFY(!ranges[0]); // times are no numbers
        QCOMPARE(ranges[1]->minimum, 12000.0);
        QCOMPARE(ranges[1]->maximum, 15000.5);
        QVERIFY(!ranges[2]);
        QCOMPARE(ranges[3]->minimum, -1e30);
        QCOMPARE(ranges[3]->maximum, -1e30);
        QVERIFY(!ranges[4]);                                             // beyond the last column
        QCOMPARE(blockStatistics(cells, 2, 1, 0, 99)[0]->minimum, -3.0); // limited to the grid
        QVERIFY(!blockStatistics(cells, 2, 1, 1, 1)[0]);
    }

    void timeSearchAgreesWithMakingEveryText()
    {
        // Random ordered times over two years, each second of the first 24 hours among them, against
        // needles cut from random record texts at every length.
        QRandomGenerator random(7);
        TimeColumn times;
        std::int64_t s = at(2019, 12, 31, 23);
        for (int i = 0; i < 3000; ++i) {
            s += i < 1500 ? random.bounded(1, 120) : random.bounded(1, 100000);
            times.push_back(datetime::serialFromSeconds(s));
        }
        TimeColumn shuffled = times;
        std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(3));
        for (const QString& lang : {QStringLiteral("ENG"), QStringLiteral("KOR")}) {
            const datetime::AmPm amPm = datetime::amPmFor(lang);
            for (int trial = 0; trial < 200; ++trial) {
                const QString text = datetime::generalText(times[random.bounded(3000u)], amPm);
                const QString needle = text.left(random.bounded(1, static_cast<int>(text.size()) + 1));
                const qsizetype first = random.bounded(3000);
                const TimeTextSearch search(needle, amPm);
                QCOMPARE(search.first(times, first, 2999, true), bruteForce(times, first, 2999, needle, amPm));
                QCOMPARE(search.first(shuffled, first, 2999, false), bruteForce(shuffled, first, 2999, needle, amPm));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestGridCells)
#include "tst_gridcells.moc"
