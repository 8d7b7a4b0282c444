#include "cursorcontroller.h"

#include "graphlegend.h"
#include "graphstyle.h"
#include "rangecursors.h"
#include "timeslider.h"
#include "trendgraph.h"

#include "data/datetime.h"
#include "data/loadeddataset.h"
#include "data/modelseries.h"
#include "shell/legendstate.h"
#include "shell/stringtable.h"
#include "shell/zoomhistory.h"

#include <QLabel>

#include <QPushButton>
#include <cmath>

#include "table/spreadgrid.h"

namespace qor {

namespace {

// How far above the pointer the labels of cursors 1 and 2 stand while they are dragged (annotation k
// labels cursor k; cursor 3's label stands at the pointer's height).
constexpr double AnnotationRise = 20;

} // namespace

CursorController::CursorController(Window window)
    : m_w(std::move(window))
{
}

bool CursorController::absoluteTime() const
{
    return m_w.absoluteTime();
}

// The range cursors' times: the full date and time on a clock-time axis, the clock of the time
// elapsed on a relative one (the axis labels use shorter patterns of their own).
QString CursorController::axisTime(double x) const
{
    return datetime::format(x, absoluteTime() ? u"yyyy-mm-dd hh:nn:ss" : u"hh:nn:ss");
}

// The legend shows the series' names again, never the values of a position left behind.
void CursorController::HideSingleCursor()
{
    if (m_w.graph->cursor(1).isVisible() && m_w.seriesNames)
        m_w.seriesNames();
    m_w.graph->cursor(1).setVisible(false);
    m_w.legendTable.set(LegendState::SingleCursorItem, m_w.slot, false);
    m_w.legend->showChecked(LegendState::SingleCursorItem, false, graphstyle::UncheckedText);
    m_w.graph->annotation(1).setVisible(false);
}

void CursorController::HideRangeCursors()
{
    m_w.graph->cursor(2).setVisible(false);
    m_w.graph->cursor(3).setVisible(false);
    m_w.legendTable.set(LegendState::RangeCursorsItem, m_w.slot, false);
    m_w.legend->readout(2)->hide();
    m_w.legend->readout(3)->hide();
    m_w.legend->statisticsButton()->hide();
    m_w.legend->statisticsGrid()->hide();
    m_w.legend->rangeSummary()->hide();
    m_w.legend->showChecked(LegendState::RangeCursorsItem, false, graphstyle::UncheckedText);
    m_w.graph->annotation(2).setVisible(false);
    m_w.graph->annotation(3).setVisible(false);
}

void CursorController::ShowSingleCursor()
{
    TrendGraph& graph = *m_w.graph;
    GraphCursor& cursor = graph.cursor(1);
    cursor.setVisible(true);
    graph.setTrackMode(TrendGraph::TrackDragCursor);
    const TrendAxis& time = graph.axis(GraphAxis::Time);
    cursor.setX((time.minimum() + time.maximum()) / 2);
    m_w.legendTable.set(LegendState::SingleCursorItem, m_w.slot, true);
    GraphAnnotation& note = graph.annotation(1);
    note.setX(cursor.x());
    if (const std::optional<QString> caption = recordCaption(cursor))
        note.setCaption(u"  " + *caption);
    note.setVisible(true);
    writeReadout(cursor); // at once, not only after the first drag
}

void CursorController::ShowRangeCursors()
{
    TrendGraph& graph = *m_w.graph;
    graph.cursor(1).setVisible(false);
    graph.cursor(2).setVisible(true);
    graph.cursor(3).setVisible(true);
    const TrendAxis& time = graph.axis(GraphAxis::Time);
    const std::int64_t from = datetime::secondsFromSerial(time.minimum());
    const std::int64_t to = datetime::secondsFromSerial(time.maximum());
    const std::int64_t inset = rangeCursorInsetSeconds(to - from);
    graph.cursor(2).setX(datetime::serialFromSeconds(from + inset));
    graph.cursor(3).setX(datetime::serialFromSeconds(to - inset));
    graph.cursor(4).setX(graph.cursor(2).x());
    graph.cursor(5).setX(graph.cursor(3).x());
    graph.setTrackMode(TrendGraph::TrackDragCursor);
    m_w.legendTable.set(LegendState::RangeCursorsItem, m_w.slot, true);
    showRangeReadouts();
    m_w.legend->readout(2)->show();
    m_w.legend->readout(3)->show();
    m_w.legend->statisticsButton()->show();
    for (int k : {2, 3}) {
        GraphAnnotation& note = graph.annotation(k);
        note.setX(graph.cursor(k).x());
        note.setCaption(u"  " + m_w.legend->readout(k)->text() + u"  ");
        note.setVisible(true);
    }
}

QString CursorController::rangeReadout(int cursor) const
{
    return (cursor == 2 ? u"1." : u"2.") + axisTime(m_w.graph->cursor(cursor).x());
}

void CursorController::showRangeReadouts()
{
    for (int cursor : {2, 3})
        m_w.legend->readout(cursor)->setText(rangeReadout(cursor));
}

// The general date-and-time text of the record the cursor stands on: on a clock-time axis the
// cursor's own X, which stands on a record of the plot it snaps to; on a relative axis the record's
// time in the slot. nullopt when the cursor stands on no record.
std::optional<QString> CursorController::recordCaption(const GraphCursor& cursor) const
{
    const qsizetype index = cursor.pointIndex();
    if (index < 0)
        return std::nullopt;
    if (absoluteTime())
        return datetime::generalText(cursor.x(), m_w.amPm());
    const SlotData& slot = m_w.data;
    if (index >= slot.RecordCount)
        return std::nullopt;
    return datetime::generalText(slot.TraceData.TimeValue->at(static_cast<std::size_t>(index)), m_w.amPm());
}

// Writes the values of the record under the cursor into the legend texts of the model's series; a
// record outside the slot's data leaves them as they are.
void CursorController::writeReadout(const GraphCursor& cursor)
{
    if (m_w.readout) {
        m_w.readout(cursor);
        return;
    }
    const SlotData& slot = m_w.data;
    const qsizetype pointIndex = cursor.pointIndex();
    if (pointIndex < 0 || pointIndex >= slot.RecordCount)
        return;
    const int channelCode = m_w.channelDisplayCode();
    const std::vector<models::NamedSeries> rows = models::readoutSeries(slot.traits(), slot.ModelOption, channelCode);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const models::NamedSeries& row = rows[r];
        m_w.legend->itemText(static_cast<int>(r) + 1)
            ->setText(row.prefix + stringEntry(row.graphKey) + QStringLiteral(" : ") + slot.TraceData.column(row.column)->text(pointIndex));
    }
}

void CursorController::cursorMoved(int cursor, double y)
{
    TrendGraph& graph = *m_w.graph;
    if (graph.cursor(1).isVisible()) {
        writeReadout(graph.cursor(1));
        if (const std::optional<QString> caption = recordCaption(graph.cursor(1))) {
            graph.annotation(1).setCaption(u"  " + *caption);
            graph.annotation(1).setAnchor(graph.cursor(1).x(), y + AnnotationRise);
        }
        return;
    }
    if (!graph.cursor(2).isVisible())
        return;
    showRangeReadouts();
    graph.cursor(4).setX(graph.cursor(2).x());
    graph.cursor(5).setX(graph.cursor(3).x());
    if (cursor == 2) {
        graph.annotation(2).setAnchor(graph.cursor(2).x(), y + AnnotationRise);
        graph.annotation(2).setCaption(u' ' + m_w.legend->readout(2)->text());
    } else {
        graph.annotation(3).setAnchor(graph.cursor(3).x(), y);
        graph.annotation(3).setCaption(m_w.legend->readout(3)->text() + u' ');
    }
}

void CursorController::zoomCompleted()
{
    HideSingleCursor();
    HideRangeCursors();
    TrendGraph& graph = *m_w.graph;
    graph.cursor(1).setVisible(false);
    m_w.window->unsetCursor();
    graph.setTrackMode(TrendGraph::TrackNone);
    const TrendAxis& time = graph.axis(GraphAxis::Time);
    const double centre = (time.minimum() + time.maximum()) / 2;
    const double span = std::max(time.maximum() - time.minimum(), smallestSpan());
    showRange(centre - span / 2, centre + span / 2);
}

// Shows `minimum` to `maximum` moved inside the recording, as the next level of the zoom history,
// or the whole recording without zoom where it would show that much.
void CursorController::showRange(double minimum, double maximum)
{
    const auto [first, last] = wholeRange();
    TrendAxis& time = m_w.graph->axis(GraphAxis::Time);
    if (maximum - minimum >= last - first) {
        m_w.zoom.reset();
        time.setMinMax(first, last);
        m_w.slider->hide();
        return;
    }
    const double shift = minimum < first ? first - minimum : maximum > last ? last - maximum : 0;
    minimum += shift;
    maximum += shift;
    if (absoluteTime()) {
        // Whole seconds, as the records' times and the slider's steps are.
        const std::int64_t start = datetime::secondsFromSerial(minimum);
        const auto seconds = static_cast<std::int64_t>(std::ceil((maximum - minimum) * 86400 - 1e-6));
        minimum = datetime::serialFromSeconds(start);
        maximum = datetime::serialFromSeconds(start + std::max<std::int64_t>(1, seconds));
    }
    time.setMinMax(minimum, maximum);
    m_w.zoom.push(time.minimum(), time.maximum());
    scrollOver(time.minimum(), time.maximum());
}

std::pair<double, double> CursorController::wholeRange() const
{
    const SlotData& slot = m_w.data;
    if (!absoluteTime())
        return {0, m_w.relativeLength()};
    if (!slot.FirstTime || !slot.LastTime)
        return {m_w.graph->axis(GraphAxis::Time).minimum(), m_w.graph->axis(GraphAxis::Time).maximum()};
    return {*slot.FirstTime, *slot.LastTime};
}

// Four record intervals, so that a few records stay in view, and at least a second per major
// division, so that no two time labels read alike.
double CursorController::smallestSpan() const
{
    constexpr int RecordsInView = 4;
    const auto [first, last] = wholeRange();
    const double interval = (last - first) / std::max(1, m_w.data.RecordCount - 1);
    const double secondsPerDivision = datetime::serialFromSeconds(1) - datetime::serialFromSeconds(0);
    return std::max(RecordsInView * interval, secondsPerDivision * m_w.graph->axis(GraphAxis::Time).majorDivisions());
}

void CursorController::wheelTurned(int steps, double x, bool zoom)
{
    constexpr double ScrollShare = 0.1;
    if (zoom) {
        for (int notch = 0; notch < std::abs(steps); ++notch)
            zoomNotch(steps > 0, x);
        return;
    }
    const TrendAxis& time = m_w.graph->axis(GraphAxis::Time);
    if (m_w.zoom.depth() > 0)
        m_w.slider->setValue(time.minimum() - steps * ScrollShare * (time.maximum() - time.minimum()));
}

// One notch of a wheel zoom: a fifth narrower or a quarter wider, with `x` where it was.
void CursorController::zoomNotch(bool in, double x)
{
    constexpr double NarrowerBy = 0.8;
    const TrendAxis& time = m_w.graph->axis(GraphAxis::Time);
    const double minimum = time.minimum();
    const double maximum = time.maximum();
    const double span = std::max((maximum - minimum) * (in ? NarrowerBy : 1 / NarrowerBy), smallestSpan());
    const double factor = span / (maximum - minimum);
    if (in && factor >= 1)
        return; // as deep as a zoom goes
    if (!in && m_w.zoom.depth() == 0)
        return; // the whole recording is shown
    showRange(x - (x - minimum) * factor, x + (maximum - x) * factor);
}

// The slider scrolls a window as wide as the one shown over the rest of the recording: its thumb
// stands at the shown range's start and its last position shows the recording's end. The range is
// set before the value, so that the value is never held back by the previous level's range; with
// nothing beyond the shown range the slider goes out of sight.
void CursorController::scrollOver(double minimum, double maximum)
{
    ZoomHistory& zoom = m_w.zoom;
    TimeSlider& slider = *m_w.slider;
    const SlotData& slot = m_w.data;
    double end = 0;
    double lastStart = 0;
    if (absoluteTime()) {
        zoom.visibleSeconds = static_cast<double>(datetime::wholeSecondsBetween(minimum, maximum));
        end = slot.RecordCount > 0 ? slot.LastTime.value_or(maximum) : maximum;
        lastStart = datetime::addSeconds(end, -static_cast<std::int64_t>(zoom.visibleSeconds));
    } else {
        zoom.visibleSpan = maximum - minimum;
        end = m_w.relativeLength();
        lastStart = end - zoom.visibleSpan;
    }
    slider.axis().setMaximum(std::max(lastStart, slider.axis().minimum()));
    slider.setValue(minimum);
    slider.setVisible(maximum < end);
}

// The slider scrolls a zoomed range.
void CursorController::sliderChanged(double value)
{
    const ZoomHistory& zoom = m_w.zoom;
    if (value == 0 || zoom.depth() == 0)
        return;
    const double maximum =
        !absoluteTime() ? value + zoom.visibleSpan : datetime::addSeconds(value, static_cast<std::int64_t>(zoom.visibleSeconds));
    m_w.graph->axis(GraphAxis::Time).setMinMax(value, maximum);
}

// Escape gives the mouse its normal pointer back and ends a zoom that was asked for but not dragged.
void CursorController::keyPressed(int key)
{
    if (key != Qt::Key_Escape)
        return;
    m_w.window->unsetCursor();
    if (m_w.graph->trackMode() == TrendGraph::TrackZoomX)
        m_w.graph->setTrackMode(TrendGraph::TrackNone);
}

} // namespace qor
