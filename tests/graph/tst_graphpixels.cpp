#include "graph/trendgraph.h"

#include "support/plotdata.h"

#include <QTest>

#include <atomic>
#include <cmath>

using namespace qor;

namespace {

const QColor PlotRed(255, 0, 0);
const QColor PlotBlue(0, 0, 255);

// A column of 10.0 that counts how often its numbers are read.
class CountingColumn final : public ValueColumn {
  public:
    explicit CountingColumn(qsizetype size)
        : m_size(size)
    {
    }
    qsizetype size() const override { return m_size; }
    double number(qsizetype) const override
    {
        ++m_reads;
        return 10.0;
    }
    QString text(qsizetype) const override { return QStringLiteral("10"); }
    qint64 reads() const { return m_reads; }

  private:
    qsizetype m_size;
    mutable std::atomic<qint64> m_reads = 0;
};

// A graph of 800 x 400 on white with black axes, showing `count` records from startSerial().
void prepare(TrendGraph& graph, qsizetype count)
{
    graph.resize(800, 400);
    graph.setPlotAreaColor(Qt::white);
    graph.setGraphFrameColor(Qt::lightGray);
    graph.axis(GraphAxis::Time).setMinMax(plotdata::startSerial(), plotdata::startSerial() + (count - 1) / 86400.0);
    graph.plot(1).setColor(PlotRed);
    graph.plot(2).setColor(PlotBlue);
}

// The device pixel columns of the plot area that hold `color` anywhere.
QList<int> columnsWith(const TrendGraph& graph, const QImage& image, const QColor& color)
{
    const QRect area = graph.layout(graph.rect()).plotArea().toAlignedRect();
    QList<int> columns;
    for (int x = area.left(); x <= area.right(); ++x) {
        if (plotdata::countColor(image, color, x, x + 1, area.top(), area.bottom() + 1) > 0)
            columns.append(x);
    }
    return columns;
}

} // namespace

class TestGraphPixels : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void controlImageShowsFrameAndPlotArea()
    {
        TrendGraph graph;
        prepare(graph, 100);
        graph.setGraphFrameColor(QColor(0x40, 0x40, 0x40));
        graph.setPlotAreaColor(QColor(0x10, 0x20, 0x30));
        const QImage image = graph.controlImage();
        QCOMPARE(image.size(), QSize(800, 400));
        QCOMPARE(QColor(image.pixel(1, 1)), QColor(0x40, 0x40, 0x40));
        const QPointF centre = graph.layout(graph.rect()).plotArea().center() + QPointF(3, 3);
        QCOMPARE(QColor(image.pixel(centre.toPoint())), QColor(0x10, 0x20, 0x30));
    }

    void hiddenPlotLeavesNoTraceOfItsColour()
    {
        TrendGraph graph;
        prepare(graph, 1000);
        const TimePtr x = plotdata::secondsFromStart(1000);
        graph.plotXvsY(1, x, plotdata::values(1000, [](qsizetype i) { return 100 + 50 * std::sin(static_cast<double>(i) / 50); }));
        graph.plotXvsY(2, x, plotdata::values(1000, [](qsizetype) { return 200.0; }));
        graph.plot(1).setLineWidth(3);
        QVERIFY(plotdata::countColor(graph.controlImage(), PlotRed) > 1000);
        graph.plot(1).setVisible(false);
        const QImage hidden = graph.controlImage();
        QCOMPARE(plotdata::countColor(hidden, PlotRed), 0);
        QVERIFY(plotdata::countColor(hidden, PlotBlue) > 500);
    }

    void oneRecordSpikeStaysVisibleOverAMillion()
    {
        const qsizetype count = 1'000'000;
        TrendGraph graph;
        prepare(graph, count);
        graph.plotXvsY(1, plotdata::secondsFromStart(count),
                       plotdata::values(count, [](qsizetype i) { return i == 537'123 ? 290.0 : 10.0; }));
        const QImage image = graph.controlImage();
        const GraphLayout layout = graph.layout(graph.rect());
        // Red above the level of 250 on the temperature axis can only be the spike.
        const int high = static_cast<int>(layout.yToPixel(graph.axis(GraphAxis::Temperature), 250));
        const QList<int> columns = columnsWith(graph, image.copy(0, 0, image.width(), high), PlotRed);
        QVERIFY(!columns.isEmpty());
        const double spikeAt = layout.xToPixel(plotdata::startSerial() + 537'123 / 86400.0);
        QVERIFY(std::abs(columns.front() - spikeAt) <= 2);
        QVERIFY(columns.size() <= 3);
    }

    void spikeStaysVisibleWhenTheRecordsAreOutOfOrder()
    {
        const qsizetype count = 200'000;
        TrendGraph graph;
        prepare(graph, count);
        // Newest record first: the slow path walks every record.
        const TimePtr ordered = plotdata::secondsFromStart(count);
        TimeColumn reversed(ordered->rbegin(), ordered->rend());
        graph.plotXvsY(1, std::make_shared<const TimeColumn>(std::move(reversed)),
                       plotdata::values(count, [](qsizetype i) { return i == 77'777 ? 290.0 : 10.0; }));
        QVERIFY(!graph.plot(1).segments().front().ascending);
        const QImage image = graph.controlImage();
        const int high = static_cast<int>(graph.layout(graph.rect()).yToPixel(graph.axis(GraphAxis::Temperature), 250));
        QVERIFY(!columnsWith(graph, image.copy(0, 0, image.width(), high), PlotRed).isEmpty());
        // The line is drawn across the whole range, not just the spike.
        const double areaWidth = graph.layout(graph.rect()).plotArea().width();
        QVERIFY(columnsWith(graph, image, PlotRed).size() >= areaWidth - 2);
    }

    void wideLinesAreAsThickAsTheirWidth()
    {
        TrendGraph graph;
        prepare(graph, 1000);
        graph.plotXvsY(1, plotdata::secondsFromStart(1000), plotdata::values(1000, [](qsizetype) { return 100.0; }));
        const QRect area = graph.layout(graph.rect()).plotArea().toAlignedRect();
        const int middle = area.center().x();
        for (int width = 1; width <= 3; ++width) {
            graph.plot(1).setLineWidth(width);
            QCOMPARE(plotdata::countColor(graph.controlImage(), PlotRed, middle, middle + 1, area.top(), area.bottom() + 1), width);
        }
    }

    // Every pixel of a thin line is inside the thick one, walked or reduced, steep or flat, and the
    // medium one is heavier than the thin one.
    void wideLinesCoverTheThinLine_data()
    {
        QTest::addColumn<qsizetype>("count");
        QTest::newRow("records walked") << qsizetype{300};
        QTest::newRow("reduced by levels") << qsizetype{1'000'000};
    }
    void wideLinesCoverTheThinLine()
    {
        QFETCH(qsizetype, count);
        TrendGraph graph;
        prepare(graph, count);
        graph.plotXvsY(1, plotdata::secondsFromStart(count), plotdata::values(count, [count](qsizetype i) {
                           return 150 + 100 * std::sin(static_cast<double>(i) * 40 / static_cast<double>(count));
                       }));
        const QImage thin = graph.controlImage();
        graph.plot(1).setLineWidth(2);
        QVERIFY(plotdata::countColor(graph.controlImage(), PlotRed) > plotdata::countColor(thin, PlotRed) * 3 / 2);
        graph.plot(1).setLineWidth(3);
        const QImage thick = graph.controlImage();
        QVERIFY(plotdata::countColor(thick, PlotRed) > plotdata::countColor(thin, PlotRed) * 2);
        qsizetype missing = 0;
        for (int y = 0; y < thin.height(); ++y) {
            for (int x = 0; x < thin.width(); ++x)
                missing += QColor(thin.pixel(x, y)) == PlotRed && QColor(thick.pixel(x, y)) != PlotRed;
        }
        QCOMPARE(missing, 0);
    }

    void recordsWithoutNumbersLeaveAGap_data()
    {
        QTest::addColumn<qsizetype>("count");
        QTest::newRow("records walked") << qsizetype{1000};
        QTest::newRow("reduced by levels") << qsizetype{1'000'000};
    }
    void recordsWithoutNumbersLeaveAGap()
    {
        QFETCH(qsizetype, count);
        TrendGraph graph;
        prepare(graph, count);
        // The middle fifth of the records has no numbers.
        graph.plotXvsY(1, plotdata::secondsFromStart(count), plotdata::values(count, [count](qsizetype i) {
                           return i >= count * 2 / 5 && i < count * 3 / 5 ? std::nan("") : 150.0;
                       }));
        const QImage image = graph.controlImage();
        const GraphLayout layout = graph.layout(graph.rect());
        const auto pixelOf = [&](double fraction) {
            return static_cast<int>(layout.xToPixel(plotdata::startSerial() + fraction * (count - 1) / 86400.0));
        };
        const QList<int> columns = columnsWith(graph, image, PlotRed);
        QVERIFY(columns.contains(pixelOf(0.2)));
        QVERIFY(columns.contains(pixelOf(0.8)));
        for (int x = pixelOf(0.42); x <= pixelOf(0.58); ++x)
            QVERIFY2(!columns.contains(x), qPrintable(QString::number(x)));
    }

    void zoomedRangeShowsOnlyItsRecords()
    {
        const qsizetype count = 100'000;
        TrendGraph graph;
        prepare(graph, count);
        graph.plotXvsY(1, plotdata::secondsFromStart(count),
                       plotdata::values(count, [](qsizetype i) { return i < 50'000 ? 50.0 : 250.0; }));
        // Zoomed to the second half, only the upper level shows.
        graph.axis(GraphAxis::Time).setMinMax(plotdata::startSerial() + 60'000 / 86400.0, plotdata::startSerial() + 70'000 / 86400.0);
        const QImage image = graph.controlImage();
        const GraphLayout layout = graph.layout(graph.rect());
        const int level150 = static_cast<int>(layout.yToPixel(graph.axis(GraphAxis::Temperature), 150));
        QCOMPARE(plotdata::countColor(image, PlotRed, 0, -1, level150), 0);
        QVERIFY(columnsWith(graph, image, PlotRed).size() > 500);
    }

    void twoPlotsOfOneColumnBuildItsLevelsOnce()
    {
        const qsizetype count = 1'000'000;
        TrendGraph graph;
        prepare(graph, count);
        const auto column = std::make_shared<const CountingColumn>(count);
        const TimePtr x = plotdata::secondsFromStart(count);
        graph.plotXvsY(1, x, column);
        graph.plotXvsY(2, x, column);
        graph.controlImage();
        graph.controlImage();
        // Building reads every record once; each drawing reads only a few records per pixel column.
        QVERIFY2(column->reads() >= count, qPrintable(QString::number(column->reads())));
        QVERIFY2(column->reads() < count * 3 / 2, qPrintable(QString::number(column->reads())));
    }
};

QTEST_MAIN(TestGraphPixels)
#include "tst_graphpixels.moc"
