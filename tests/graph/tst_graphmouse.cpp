#include "graph/trendgraph.h"

#include "support/plotdata.h"

#include <QSignalSpy>
#include <QTest>

using namespace qor;

namespace {

constexpr qsizetype Records = 3600;

// A shown graph of one hour of records, one per second.
void prepare(TrendGraph& graph)
{
    graph.resize(800, 400);
    graph.axis(GraphAxis::Time).setMinMax(plotdata::startSerial(), plotdata::startSerial() + (Records - 1) / 86400.0);
    graph.plotXvsY(1, plotdata::secondsFromStart(Records), plotdata::values(Records, [](qsizetype) { return 100.0; }));
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
}

QPoint atTime(const TrendGraph& graph, double x, double pixelY)
{
    return QPointF(graph.layout(graph.rect()).xToPixel(x), pixelY).toPoint();
}

} // namespace

class TestGraphMouse : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void dragInTrackMode2MovesTheCursorAndRaisesCursorMoved()
    {
        TrendGraph graph;
        prepare(graph);
        graph.setTrackMode(TrendGraph::TrackDragCursor);
        GraphCursor& cursor = graph.cursor(3);
        cursor.setVisible(true);
        cursor.setX(plotdata::startSerial() + 1800 / 86400.0);
        QSignalSpy moved(&graph, &TrendGraph::cursorMoved);
        const GraphLayout layout = graph.layout(graph.rect());
        const double y = layout.plotArea().center().y();
        const QPoint from = atTime(graph, cursor.x(), y);
        const QPoint to = from + QPoint(100, -40);
        QTest::mousePress(&graph, Qt::LeftButton, {}, from);
        QTest::mouseMove(&graph, to);
        QTest::mouseRelease(&graph, Qt::LeftButton, {}, to);
        QVERIFY(moved.size() >= 2);
        const QList<QVariant> last = moved.takeLast();
        QCOMPARE(last.at(0).toInt(), 3);
        QCOMPARE(last.at(3).toBool(), false);
        QCOMPARE(moved.last().at(3).toBool(), true);
        // The cursor stands on the record under the mouse; Y is in temperature units.
        const double expectedX = layout.pixelToX(to.x());
        QVERIFY(std::abs(cursor.x() - expectedX) <= 1 / 86400.0);
        QCOMPARE(last.at(1).toDouble(), cursor.x());
        QCOMPARE(cursor.pointIndex(), qRound((cursor.x() - plotdata::startSerial()) * 86400));
        QVERIFY(std::abs(last.at(2).toDouble() - layout.pixelToY(graph.axis(GraphAxis::Temperature), to.y())) < 1e-9);
    }

    // A click in the plot away from every cursor brings the nearest one there; a press outside the
    // plot moves nothing.
    void aClickBringsTheNearestCursor()
    {
        TrendGraph graph;
        prepare(graph);
        graph.setTrackMode(TrendGraph::TrackDragCursor);
        for (int c : {2, 3})
            graph.cursor(c).setVisible(true);
        graph.cursor(2).setX(plotdata::startSerial() + 600 / 86400.0);
        graph.cursor(3).setX(plotdata::startSerial() + 3000 / 86400.0);
        QSignalSpy moved(&graph, &TrendGraph::cursorMoved);
        const QPoint click = atTime(graph, plotdata::startSerial() + 2000 / 86400.0, 100);
        QTest::mouseClick(&graph, Qt::LeftButton, {}, click);
        QVERIFY(!moved.isEmpty());
        QCOMPARE(moved.last().at(0).toInt(), 3);
        QVERIFY(std::abs(graph.cursor(3).x() - (plotdata::startSerial() + 2000 / 86400.0)) < 30 / 86400.0);
        QCOMPARE(graph.cursor(2).x(), plotdata::startSerial() + 600 / 86400.0);

        moved.clear();
        QTest::mouseClick(&graph, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(moved.size(), 0);
    }

    // The arrow keys step the cursor last moved one record, ten with Shift, and stop at the ends.
    void theArrowKeysStepTheActiveCursor()
    {
        TrendGraph graph;
        prepare(graph);
        graph.setTrackMode(TrendGraph::TrackDragCursor);
        graph.cursor(1).setVisible(true);
        graph.cursor(1).setPointIndex(100);
        QSignalSpy moved(&graph, &TrendGraph::cursorMoved);
        QTest::keyClick(&graph, Qt::Key_Right);
        QCOMPARE(graph.cursor(1).pointIndex(), 101);
        QTest::keyClick(&graph, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(graph.cursor(1).pointIndex(), 91);
        QCOMPARE(moved.size(), 2);
        QCOMPARE(moved.last().at(3).toBool(), false);
        graph.cursor(1).setPointIndex(3);
        QTest::keyClick(&graph, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(graph.cursor(1).pointIndex(), 0);
        QSignalSpy keys(&graph, &TrendGraph::keyPressed);
        QTest::keyClick(&graph, Qt::Key_Escape);
        QCOMPARE(keys.size(), 1);
    }

    void hiddenCursorCannotBeDragged()
    {
        TrendGraph graph;
        prepare(graph);
        graph.setTrackMode(TrendGraph::TrackDragCursor);
        graph.cursor(1).setX(plotdata::startSerial() + 600 / 86400.0);
        QSignalSpy moved(&graph, &TrendGraph::cursorMoved);
        const QPoint at = atTime(graph, graph.cursor(1).x(), 100);
        QTest::mousePress(&graph, Qt::LeftButton, {}, at);
        QTest::mouseRelease(&graph, Qt::LeftButton, {}, at + QPoint(50, 0));
        QCOMPARE(moved.size(), 0);
    }

    void dragInTrackMode7ZoomsTheTimeAxis()
    {
        TrendGraph graph;
        prepare(graph);
        graph.setTrackMode(TrendGraph::TrackZoomX);
        QSignalSpy zoomed(&graph, &TrendGraph::zoomCompleted);
        const GraphLayout layout = graph.layout(graph.rect());
        const int y = static_cast<int>(layout.plotArea().center().y());
        const QPoint from(static_cast<int>(layout.plotArea().left()) + 300, y);
        const QPoint to(static_cast<int>(layout.plotArea().left()) + 100, y + 30);
        QTest::mousePress(&graph, Qt::LeftButton, {}, from);
        QTest::mouseMove(&graph, to);
        QVERIFY(graph.zoomSpan().has_value());
        QTest::mouseRelease(&graph, Qt::LeftButton, {}, to);
        QCOMPARE(zoomed.size(), 1);
        QVERIFY(!graph.zoomSpan().has_value());
        QCOMPARE(graph.axis(GraphAxis::Time).minimum(), layout.pixelToX(to.x()));
        QCOMPARE(graph.axis(GraphAxis::Time).maximum(), layout.pixelToX(from.x()));
    }

    void clickInTrackMode7LeavesTheAxis()
    {
        TrendGraph graph;
        prepare(graph);
        graph.setTrackMode(TrendGraph::TrackZoomX);
        QSignalSpy zoomed(&graph, &TrendGraph::zoomCompleted);
        const double before = graph.axis(GraphAxis::Time).minimum();
        const QPoint at = graph.layout(graph.rect()).plotArea().center().toPoint();
        QTest::mousePress(&graph, Qt::LeftButton, {}, at);
        QTest::mouseRelease(&graph, Qt::LeftButton, {}, at + QPoint(1, 0));
        QCOMPARE(zoomed.size(), 0);
        QCOMPARE(graph.axis(GraphAxis::Time).minimum(), before);
    }

    void trackMode1IgnoresDrags()
    {
        TrendGraph graph;
        prepare(graph);
        graph.cursor(1).setVisible(true);
        graph.cursor(1).setX(plotdata::startSerial() + 1800 / 86400.0);
        QSignalSpy moved(&graph, &TrendGraph::cursorMoved);
        QSignalSpy zoomed(&graph, &TrendGraph::zoomCompleted);
        const QPoint at = atTime(graph, graph.cursor(1).x(), 100);
        QTest::mousePress(&graph, Qt::LeftButton, {}, at);
        QTest::mouseMove(&graph, at + QPoint(200, 0));
        QTest::mouseRelease(&graph, Qt::LeftButton, {}, at + QPoint(200, 0));
        QCOMPARE(moved.size(), 0);
        QCOMPARE(zoomed.size(), 0);
    }

    void keysAreReported()
    {
        TrendGraph graph;
        prepare(graph);
        QSignalSpy keys(&graph, &TrendGraph::keyPressed);
        QTest::keyClick(&graph, Qt::Key_Escape);
        QTest::keyClick(&graph, Qt::Key_A);
        QCOMPARE(keys.size(), 2);
        QCOMPARE(keys.at(0).at(0).toInt(), int(Qt::Key_Escape));
        QCOMPARE(keys.at(1).at(0).toInt(), int(Qt::Key_A));
    }
};

QTEST_MAIN(TestGraphMouse)
#include "tst_graphmouse.moc"
