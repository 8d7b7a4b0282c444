#include "graph/trendgraph.h"

#include "data/datetime.h"
#include "support/plotdata.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <random>

using namespace qor;

class TestTrendGraph : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void axesStartAsDesigned()
    {
        const TrendGraph graph;
        QCOMPARE(graph.objectName(), QStringLiteral("CWGraph1"));
        QCOMPARE(graph.axis(GraphAxis::Output).minimum(), 0.0);
        QCOMPARE(graph.axis(GraphAxis::Output).maximum(), 100.0);
        QCOMPARE(graph.axis(GraphAxis::Temperature).maximum(), 300.0);
        QCOMPARE(graph.axis(GraphAxis::Temperature).caption(), QStringLiteral("(Temp)"));
        QCOMPARE(graph.axis(GraphAxis::Time).formatString(), QStringLiteral("mm/dd hh:nn:ss"));
        QCOMPARE(graph.plot(3).yAxis(), GraphAxis::Output);
        QCOMPARE(graph.plot(7).yAxis(), GraphAxis::Temperature);
        QCOMPARE(graph.cursor(4).name(), QStringLiteral("Cursor-22"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, graph.plot(10));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, graph.cursor(0));
    }

    void setMinMaxSetsBothEnds()
    {
        TrendGraph graph;
        TrendAxis& temperature = graph.axis(GraphAxis::Temperature);
        temperature.setMinMax(-50, 1200);
        QCOMPARE(temperature.minimum(), -50.0);
        QCOMPARE(temperature.maximum(), 1200.0);
        temperature.setMaximum(400);
        QCOMPARE(temperature.maximum(), 400.0);
        QCOMPARE(temperature.minimum(), -50.0);
    }

    void timeLabelsFollowThePattern()
    {
        TrendGraph graph;
        TrendAxis& time = graph.axis(GraphAxis::Time);
        const double start = datetime::dateSerial(2024, 5, 1) + 13.0 / 24 + 5.0 / 1440;
        time.setMinMax(start, start + 1);
        time.setMajorDivisions(4);
        const std::vector<double> ticks = time.majorTicks();
        QCOMPARE(ticks.size(), std::size_t{5});
        QCOMPARE(time.tickLabel(ticks[0]), QStringLiteral("05/01 13:05:00"));
        QCOMPARE(time.tickLabel(ticks[1]), QStringLiteral("05/01 19:05:00"));
        QCOMPARE(time.tickLabel(ticks[4]), QStringLiteral("05/02 13:05:00"));
        // Elapsed time counts hours past a day.
        time.setFormatString(QStringLiteral("hhhh:nn:ss"));
        time.setMinMax(0, 2);
        QCOMPARE(time.tickLabel(time.majorTicks()[3]), QStringLiteral("36:00:00"));
    }

    void valueLabelsShowTheDivisionStep()
    {
        TrendGraph graph;
        TrendAxis& output = graph.axis(GraphAxis::Output);
        output.setMajorDivisions(10);
        QCOMPARE(output.tickLabel(output.majorTicks()[3]), QStringLiteral("30"));
        output.setMinMax(0, 1);
        output.setMajorDivisions(4);
        QCOMPARE(output.tickLabel(output.majorTicks()[1]), QStringLiteral("0.25"));
        QCOMPARE(output.tickLabel(output.majorTicks()[2]), QStringLiteral("0.50"));
    }

    void plotXvsYKeepsTheColumnsWithoutCopying()
    {
        TrendGraph graph;
        const TimePtr x = plotdata::secondsFromStart(100);
        const ColumnPtr y = plotdata::values(100, [](qsizetype i) { return static_cast<double>(i); });
        graph.plotXvsY(1, x, y);
        graph.plotXvsY(1, x, y); // replaces, does not add
        QCOMPARE(graph.plot(1).pointCount(), 100);
        QCOMPARE(graph.plot(1).segments().size(), std::size_t{1});
        QCOMPARE(graph.plot(1).segments().front().y.get(), y.get());
        QCOMPARE(graph.plot(1).segments().front().x.get(), x.get());
        QCOMPARE(graph.plot(1).yAt(42), 42.0);
        QVERIFY(graph.plot(1).segments().front().ascending);
    }

    void chartXvsYAppendsUpToTheChartLength()
    {
        TrendGraph graph;
        const TimePtr x = plotdata::secondsFromStart(4);
        const ColumnPtr y = plotdata::values(4, [](qsizetype i) { return 10.0 + static_cast<double>(i); });
        graph.chartXvsY(2, x, y);
        graph.chartXvsY(2, x, y);
        QCOMPARE(graph.plot(2).pointCount(), 8);
        graph.clearData();
        graph.setChartLength(5);
        graph.chartXvsY(2, x, y);
        graph.chartXvsY(2, x, y);
        // The three oldest points are gone: the plot holds 13 of the first chart, then 10..13.
        QCOMPARE(graph.plot(2).pointCount(), 5);
        QCOMPARE(graph.plot(2).yAt(0), 13.0);
        QCOMPARE(graph.plot(2).yAt(1), 10.0);
        QCOMPARE(graph.plot(2).yAt(4), 13.0);
    }

    void clearDataEmptiesEveryPlot()
    {
        TrendGraph graph;
        const TimePtr x = plotdata::secondsFromStart(10);
        const ColumnPtr y = plotdata::values(10, [](qsizetype) { return 1.0; });
        for (int k = 1; k <= TrendGraph::PlotCount; ++k)
            graph.plotXvsY(k, x, y);
        graph.clearData();
        for (int k = 1; k <= TrendGraph::PlotCount; ++k)
            QCOMPARE(graph.plot(k).pointCount(), 0);
    }

    void plotStyleIsKept()
    {
        TrendGraph graph;
        graph.plot(5).setLineWidth(7);
        QCOMPARE(graph.plot(5).lineWidth(), 3);
        graph.plot(5).setLineWidth(0);
        QCOMPARE(graph.plot(5).lineWidth(), 1);
        graph.plot(5).setYAxis(GraphAxis::Temperature);
        QCOMPARE(graph.plot(5).yAxis(), GraphAxis::Temperature);
    }

    void cursorSnapsToTheNearestRecordInOrder()
    {
        TrendGraph graph;
        const TimePtr x = plotdata::secondsFromStart(1000);
        graph.plotXvsY(1, x, plotdata::values(1000, [](qsizetype i) { return static_cast<double>(i); }));
        GraphCursor& cursor = graph.cursor(1);
        const double second = 1.0 / 86400;
        cursor.setX(plotdata::startSerial() + 10.4 * second);
        QCOMPARE(cursor.pointIndex(), 10);
        QCOMPARE(cursor.x(), (*x)[10]);
        cursor.setX(plotdata::startSerial() + 10.6 * second);
        QCOMPARE(cursor.pointIndex(), 11);
        cursor.setX(plotdata::startSerial() + 5000 * second);
        QCOMPARE(cursor.pointIndex(), 999);
        cursor.setX(plotdata::startSerial() - 1);
        QCOMPARE(cursor.pointIndex(), 0);
        cursor.setPointIndex(500);
        QCOMPARE(cursor.x(), (*x)[500]);
    }

    void cursorSnapsToTheNearestRecordOutOfOrder()
    {
        // The records are shuffled in time: the cursor must still find the nearest one.
        const TimePtr ordered = plotdata::secondsFromStart(1000);
        TimeColumn shuffled = *ordered;
        std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(3));
        const auto x = std::make_shared<const TimeColumn>(std::move(shuffled));
        TrendGraph graph;
        graph.plotXvsY(1, x, plotdata::values(1000, [](qsizetype) { return 1.0; }));
        QVERIFY(!graph.plot(1).segments().front().ascending);
        GraphCursor& cursor = graph.cursor(2);
        cursor.setX((*ordered)[321] + 0.2 / 86400);
        QCOMPARE((*x)[static_cast<std::size_t>(cursor.pointIndex())], (*ordered)[321]);
        QCOMPARE(cursor.x(), (*ordered)[321]);
    }

    void cursorSnapsToAnyPlotWithPointsAndFollowsNewPoints()
    {
        TrendGraph graph;
        GraphCursor& cursor = graph.cursor(1);
        cursor.setVisible(true);
        cursor.setX(plotdata::startSerial() + 20.0 / 86400);
        QCOMPARE(cursor.pointIndex(), -1);
        // Plot 1 is empty, so the cursor snaps to plot 3; reading 10 records moves it onto the last.
        graph.plotXvsY(3, plotdata::secondsFromStart(10), plotdata::values(10, [](qsizetype) { return 1.0; }));
        QCOMPARE(cursor.pointIndex(), 9);
    }
};

QTEST_MAIN(TestTrendGraph)
#include "tst_trendgraph.moc"
