#include "shell/programstate.h"
#include "support/programfolder.h"

#include "data/datetime.h"
#include "data/loadeddataset.h"
#include "graph/graphwindow.h"
#include "graph/timeslider.h"
#include "graph/trendgraph.h"
#include "shell/main/mainwindow.h"
#include "support/scriptedprompts.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include <memory>

using namespace qor;

namespace {

using Range = std::pair<double, double>;

Range shown(const TrendGraph& graph)
{
    return {graph.axis(GraphAxis::Time).minimum(), graph.axis(GraphAxis::Time).maximum()};
}

// A mouse drag across the plot area in the zoom mode, from and to fractions of its width
// (beyond 1 runs past the right edge).
void dragZoom(TrendGraph& graph, double from, double to)
{
    graph.setTrackMode(TrendGraph::TrackZoomX);
    const QRectF area = graph.layout(graph.rect()).plotArea();
    const int y = qRound(area.center().y());
    const QPoint start(qRound(area.left() + from * area.width()), y);
    const QPoint end(qRound(area.left() + to * area.width()), y);
    QTest::mousePress(&graph, Qt::LeftButton, {}, start);
    QTest::mouseMove(&graph, end);
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, end);
}

// Turns the wheel `notches` notches (forward positive) over fraction `at` of the plot area's width.
void turnWheel(TrendGraph& graph, int notches, double at, Qt::KeyboardModifiers modifiers)
{
    const QRectF area = graph.layout(graph.rect()).plotArea();
    const QPointF where(area.left() + at * area.width(), area.center().y());
    QWheelEvent wheel(where, graph.mapToGlobal(where), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, modifiers, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(&graph, &wheel);
}

double span(const TrendGraph& graph)
{
    return graph.axis(GraphAxis::Time).maximum() - graph.axis(GraphAxis::Time).minimum();
}

} // namespace

class TestGraphWindowZoom : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_main;
    GraphWindow* m_window = nullptr;

  private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        ScriptedPrompts::install();
        m_main = std::make_unique<MainWindow>();
        m_main->show();
        const QString path = m_folder->writeLog("QOR1300", {}, 3600, 1, [](int record, int) { return record % 100; });
        QVERIFY(m_main->openFile(path));
        m_window = graphWindow(1);
    }
    void cleanup()
    {
        m_main.reset();
        m_folder.reset();
    }

    // Ctrl+wheel zooms around the pointer, a level of the zoom history a notch, and zoom-out steps
    // back through them; the wheel alone scrolls what is zoomed.
    void theWheelZoomsAroundThePointerAndScrolls()
    {
        TrendGraph& graph = *m_window->CWGraph1();
        const Range whole = shown(graph);
        turnWheel(graph, -1, 0.5, Qt::ControlModifier); // out from the whole recording: nothing to show more
        QCOMPARE(shown(graph), whole);
        QCOMPARE(zoomHistory(1).depth(), 0);
        turnWheel(graph, 1, 0.5, Qt::NoModifier); // nothing zoomed, nothing to scroll
        QCOMPARE(shown(graph), whole);

        const double pointer = whole.first + 0.25 * (whole.second - whole.first);
        turnWheel(graph, 1, 0.25, Qt::ControlModifier);
        QCOMPARE(zoomHistory(1).depth(), 1);
        // To the whole second, as the records' times are.
        const double second = ProgramFolder::at(1) - ProgramFolder::at(0);
        QVERIFY(std::abs(span(graph) - 0.8 * (whole.second - whole.first)) <= second);
        // The time under the pointer stays under it.
        QVERIFY(std::abs(graph.axis(GraphAxis::Time).minimum() + 0.25 * span(graph) - pointer) <= second);
        const Range first = shown(graph);
        turnWheel(graph, 2, 0.25, Qt::ControlModifier);
        QCOMPARE(zoomHistory(1).depth(), 3);
        QVERIFY(m_window->CWSlide7()->isVisible());

        const Range zoomed = shown(graph);
        turnWheel(graph, -1, 0.5, Qt::NoModifier); // a notch back: later in time
        QVERIFY(graph.axis(GraphAxis::Time).minimum() > zoomed.first);
        QCOMPARE(m_window->CWSlide7()->value(), graph.axis(GraphAxis::Time).minimum());

        m_main->button(11)->trigger();
        m_main->button(11)->trigger();
        QCOMPARE(zoomHistory(1).depth(), 1);
        QCOMPARE(shown(graph), first);
        m_main->button(11)->trigger();
        QCOMPARE(shown(graph), whole);
    }

    // However deep the wheel or drags go, a few records stay in view and no two time labels read alike.
    void aZoomStopsAtAFewRecords()
    {
        TrendGraph& graph = *m_window->CWGraph1();
        const double second = ProgramFolder::at(1) - ProgramFolder::at(0);
        const double smallest = graph.axis(GraphAxis::Time).majorDivisions() * second;
        for (int i = 0; i < 60; ++i)
            turnWheel(graph, 1, 0.6, Qt::ControlModifier);
        QVERIFY(span(graph) >= smallest - 1e-9 && span(graph) <= smallest + second);
        const int depth = zoomHistory(1).depth();
        turnWheel(graph, 1, 0.6, Qt::ControlModifier);
        QCOMPARE(zoomHistory(1).depth(), depth);

        m_main->button(9)->trigger();
        for (int drag = 0; drag < 4; ++drag)
            dragZoom(graph, 0.4, 0.42);
        QVERIFY(span(graph) >= smallest - 1e-9);
        QStringList labels;
        for (double tick : graph.axis(GraphAxis::Time).majorTicks())
            labels << graph.axis(GraphAxis::Time).tickLabel(tick);
        labels.removeDuplicates();
        QCOMPARE(labels.size(), graph.axis(GraphAxis::Time).majorDivisions() + 1);
    }

    void aZoomDragIsRecordedAndScrolledByTheSlider()
    {
        TrendGraph& graph = *m_window->CWGraph1();
        TimeSlider& slider = *m_window->CWSlide7();
        m_window->legendClicked(LegendState::SingleCursorItem);
        dragZoom(graph, 0.25, 0.5);
        const auto [minimum, maximum] = shown(graph);
        QVERIFY(minimum > ProgramFolder::at(800) && maximum < ProgramFolder::at(1900));
        ZoomHistory& zoom = zoomHistory(1);
        QCOMPARE(zoom.depth(), 1);
        QCOMPARE(zoom.visibleSeconds, double(datetime::wholeSecondsBetween(minimum, maximum)));
        QVERIFY(!graph.cursor(1).isVisible());
        QVERIFY(!legendState().isOn(LegendState::SingleCursorItem, 1));
        QCOMPARE(graph.trackMode(), TrendGraph::TrackNone);
        QVERIFY(slider.isVisible());
        QCOMPARE(slider.value(), minimum);
        QCOMPARE(slider.axis().maximum(), datetime::addSeconds(ProgramFolder::at(3599), -static_cast<std::int64_t>(zoom.visibleSeconds)));

        // The slider scrolls the zoomed span; a value of 0 is passed over.
        slider.setValue(ProgramFolder::at(2000));
        QCOMPARE(shown(graph), Range(ProgramFolder::at(2000),
                                     datetime::addSeconds(ProgramFolder::at(2000), static_cast<std::int64_t>(zoom.visibleSeconds))));
        Q_EMIT slider.valueChanged(0);
        QCOMPARE(graph.axis(GraphAxis::Time).minimum(), ProgramFolder::at(2000));

        // A zoom that reaches the last record leaves nothing to scroll.
        slider.setValue(slider.axis().maximum());
        QCOMPARE(graph.axis(GraphAxis::Time).maximum(), ProgramFolder::at(3599));
        dragZoom(graph, 0.5, 1.2);
        QCOMPARE(zoom.depth(), 2);
        QCOMPARE(graph.axis(GraphAxis::Time).maximum(), ProgramFolder::at(3599));
        QVERIFY(!slider.isVisible());
    }

    // After every zoom step, in or out, the slider scrolls a window of the width shown, from where
    // the shown range starts, up to the end of the recording.
    void nestedZoomsNearTheEndShowWhatWasDraggedAndStepBackWhole()
    {
        TrendGraph& graph = *m_window->CWGraph1();
        TimeSlider& slider = *m_window->CWSlide7();
        ZoomHistory& zoom = zoomHistory(1);
        const auto sliderFollows = [&](const Range& level) {
            const auto width = datetime::wholeSecondsBetween(level.first, level.second);
            QCOMPARE(zoom.visibleSeconds, double(width));
            QCOMPARE(slider.value(), level.first);
            QCOMPARE(slider.axis().maximum(), datetime::addSeconds(ProgramFolder::at(3599), -width));
            QVERIFY(slider.isVisible());
        };
        dragZoom(graph, 1800 / 3599.0, 3420 / 3599.0);
        const Range first = shown(graph);
        QVERIFY(first.first > ProgramFolder::at(1790) && first.second < ProgramFolder::at(3430));
        sliderFollows(first);
        dragZoom(graph, 0.7, 0.85);
        const Range second = shown(graph);
        QVERIFY2(second.first > ProgramFolder::at(2900) && second.second < ProgramFolder::at(3200),
                 qPrintable(datetime::isoText(second.first) + u' ' + datetime::isoText(second.second)));
        sliderFollows(second);

        m_main->viewCommands().MV_ZoomOut();
        QCOMPARE(zoom.depth(), 1);
        QCOMPARE(shown(graph), first);
        sliderFollows(first);
        // Touching the slider now scrolls a window as wide as the first level.
        slider.setValue(ProgramFolder::at(600));
        const auto width = datetime::wholeSecondsBetween(first.first, first.second);
        QCOMPARE(shown(graph), Range(ProgramFolder::at(600), datetime::addSeconds(ProgramFolder::at(600), width)));
        m_main->viewCommands().MV_ZoomOut();
        QCOMPARE(zoom.depth(), 0);
        QCOMPARE(shown(graph), Range(ProgramFolder::at(0), ProgramFolder::at(3599)));
        QVERIFY(!slider.isVisible());
    }

    void nestedZoomsAtTheStartKeepTheFirstRecordInView()
    {
        TrendGraph& graph = *m_window->CWGraph1();
        TimeSlider& slider = *m_window->CWSlide7();
        dragZoom(graph, 0.002, 0.5);
        const Range first = shown(graph);
        QVERIFY(first.first < ProgramFolder::at(10) && first.second < ProgramFolder::at(1900));
        dragZoom(graph, 0.002, 0.25);
        const Range second = shown(graph);
        QVERIFY(second.first < ProgramFolder::at(10) && second.second < first.second);
        QCOMPARE(slider.value(), second.first);
        QVERIFY(slider.isVisible());
        m_main->viewCommands().MV_ZoomOut();
        QCOMPARE(shown(graph), first);
        QCOMPARE(zoomHistory(1).visibleSeconds, double(datetime::wholeSecondsBetween(first.first, first.second)));
    }

    // A read starts from an unzoomed window with the normal pointer, whatever the slot showed.
    void aFileOpenedIntoAZoomedSlotShowsItsWholeRange()
    {
        QVERIFY(m_main->openFile(m_folder->writeLog("QOR1300", {}, 600, 1, [](int, int) { return 1.0; })));
        QCOMPARE(loadedData().FileNo, 2);
        m_main->showSlotWindow(1);
        QCOMPARE(loadedData().FileNo, 1);
        TrendGraph& graph = *m_window->CWGraph1();
        dragZoom(graph, 0.5, 0.8);
        m_main->viewCommands().MV_ZoomIn();
        QVERIFY(m_window->testAttribute(Qt::WA_SetCursor));

        QVERIFY(m_main->openFile(m_folder->writeLog("QOR1300", {}, 300, 1, [](int, int) { return 2.0; })));
        QCOMPARE(loadedData().FileNo, 1);
        QCOMPARE(shown(graph), Range(ProgramFolder::at(0), ProgramFolder::at(299)));
        QCOMPARE(zoomHistory(1).depth(), 0);
        QVERIFY(!m_window->CWSlide7()->isVisible());
        QCOMPARE(graph.trackMode(), TrendGraph::TrackNone);
        QVERIFY(!m_window->testAttribute(Qt::WA_SetCursor));
        QCOMPARE(m_window->CWSlide7()->axis().minimum(), ProgramFolder::at(0));
        QCOMPARE(m_window->CWSlide7()->axis().maximum(), ProgramFolder::at(299));
    }

    void twentyThreeNestedZoomsKeepTheNewestTwentyLevels()
    {
        TrendGraph& graph = *m_window->CWGraph1();
        std::vector<Range> ranges;
        for (int n = 1; n <= 23; ++n) {
            const Range before = shown(graph);
            dragZoom(graph, 0.1, 0.9);
            QVERIFY2(shown(graph) != before, qPrintable(QString::number(n)));
            ranges.push_back(shown(graph));
        }
        ZoomHistory& zoom = zoomHistory(1);
        QCOMPARE(zoom.depth(), ZoomHistory::MaxDepth);
        // Stepping back goes one zoom at a time through zooms 22 down to 4, then to the whole range:
        // zooms 1 to 3 were let go.
        for (int n = 22; n >= 4; --n) {
            const std::optional<Range> back = zoom.stepBack();
            QVERIFY(back);
            // The slider, set to the zoomed minimum, puts the maximum on a whole second.
            const Range& zoomed = ranges[static_cast<std::size_t>(n - 1)];
            QCOMPARE(back->first, zoomed.first);
            QVERIFY(std::abs(back->second - zoomed.second) < 1 / 86400.0);
        }
        QVERIFY(!zoom.stepBack());
        QCOMPARE(zoom.depth(), 0);
    }
};

QTEST_MAIN(TestGraphWindowZoom)
#include "tst_graphwindowzoom.moc"
