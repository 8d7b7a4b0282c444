#include "trendgraph.h"

#include "graphpainter.h"
#include "graphstyle.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <stdexcept>

namespace qor {

namespace {

// How close, in pixels, the mouse must come to a cursor line to grab it.
// A zoom drag narrower than this many pixels is taken for a click and changes nothing.
constexpr double SmallestZoom = 3;

const QColor DefaultPlotColors[TrendGraph::PlotCount] = {QColor(0xD0, 0x20, 0x20), QColor(0x20, 0x70, 0xD0), QColor(0x20, 0xA0, 0x40),
                                                         QColor(0xE0, 0x80, 0x00), QColor(0x80, 0x30, 0xB0), QColor(0x00, 0xA0, 0xA0),
                                                         QColor(0x90, 0x60, 0x30), QColor(0xD0, 0x40, 0x90), QColor(0x50, 0x50, 0x50)};
const GraphAxis DefaultPlotAxes[TrendGraph::PlotCount] = {GraphAxis::Temperature, GraphAxis::Temperature, GraphAxis::Output,
                                                          GraphAxis::Output,      GraphAxis::Output,      GraphAxis::Output,
                                                          GraphAxis::Temperature, GraphAxis::Temperature, GraphAxis::Output};
const char* const CursorNames[TrendGraph::CursorCount] = {"Cursor-1", "Cursor-2", "Cursor-3", "Cursor-22", "Cursor-33"};

} // namespace

TrendGraph::TrendGraph(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CWGraph1"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    const auto repaint = [this] { update(); };
    m_axes.reserve(3);
    m_axes.emplace_back(QString(), 0.0, 1.0, repaint);
    m_axes.emplace_back(QString(), 0.0, 100.0, repaint);
    m_axes.emplace_back(QStringLiteral("(Temp)"), 0.0, 300.0, repaint);
    m_axes.front().setFormatString(graphstyle::AbsoluteAxisFormat);
    m_plots.reserve(PlotCount);
    for (int k = 0; k < PlotCount; ++k) {
        m_plots.emplace_back(DefaultPlotAxes[k], repaint);
        m_plots.back().setColor(DefaultPlotColors[k]);
    }
    m_cursors.reserve(CursorCount);
    for (const char* name : CursorNames)
        m_cursors.emplace_back(QString::fromLatin1(name), m_plots, repaint);
    m_annotations.reserve(AnnotationCount);
    for (int a = 0; a < AnnotationCount; ++a)
        m_annotations.emplace_back(repaint);
}

TrendGraph::~TrendGraph() = default;

std::size_t TrendGraph::checkedIndex(int number, int count)
{
    // A wrong index is a programming error: an exception, which the command's boundary (the
    // application object) logs and tells, rather than a write beside the arrays.
    if (number < 1 || number > count)
        throw std::out_of_range("graph item index out of range");
    return static_cast<std::size_t>(number - 1);
}

TrendAxis& TrendGraph::axis(GraphAxis axis)
{
    return m_axes[checkedIndex(static_cast<int>(axis), 3)];
}

const TrendAxis& TrendGraph::axis(GraphAxis axis) const
{
    return m_axes[checkedIndex(static_cast<int>(axis), 3)];
}

GraphPlot& TrendGraph::plot(int plot)
{
    return m_plots[checkedIndex(plot, PlotCount)];
}

const GraphPlot& TrendGraph::plot(int plot) const
{
    return m_plots[checkedIndex(plot, PlotCount)];
}

GraphCursor& TrendGraph::cursor(int cursor)
{
    return m_cursors[checkedIndex(cursor, CursorCount)];
}

const GraphCursor& TrendGraph::cursor(int cursor) const
{
    return m_cursors[checkedIndex(cursor, CursorCount)];
}

GraphAnnotation& TrendGraph::annotation(int annotation)
{
    return m_annotations[checkedIndex(annotation, AnnotationCount)];
}

const GraphAnnotation& TrendGraph::annotation(int annotation) const
{
    return m_annotations[checkedIndex(annotation, AnnotationCount)];
}

bool TrendGraph::knownAscending(const TimePtr& x, qsizetype count, bool& ascending) const
{
    // The nine plots of a file share one time column: check its order once, not nine times.
    for (const GraphPlot& plot : m_plots) {
        for (const PlotSegment& segment : plot.segments()) {
            if (segment.x == x && segment.first == 0 && segment.count == count) {
                ascending = segment.ascending;
                return true;
            }
        }
    }
    return false;
}

PlotSegment TrendGraph::segmentOf(const TimePtr& x, const ColumnPtr& y) const
{
    PlotSegment segment{x, y, 0, std::min<qsizetype>(static_cast<qsizetype>(x->size()), y->size()), false};
    if (!knownAscending(x, segment.count, segment.ascending))
        segment.ascending = std::is_sorted(x->begin(), x->begin() + segment.count);
    return segment;
}

void TrendGraph::plotXvsY(int plot, const TimePtr& x, const ColumnPtr& y)
{
    this->plot(plot).setPoints(segmentOf(x, y));
    pointsChanged();
}

void TrendGraph::chartXvsY(int plot, const TimePtr& x, const ColumnPtr& y)
{
    this->plot(plot).appendPoints(segmentOf(x, y), m_chartLength);
    pointsChanged();
}

void TrendGraph::clearData()
{
    for (GraphPlot& plot : m_plots)
        plot.clear();
    pointsChanged();
}

void TrendGraph::setChartLength(qint32 length)
{
    m_chartLength = std::max(0, length);
}

void TrendGraph::pointsChanged()
{
    // A hidden cursor is put back on a record when it is next placed; snapping it now could cost a
    // scan of every record of an unordered plot for nothing.
    for (GraphCursor& cursor : m_cursors) {
        if (cursor.isVisible())
            cursor.snap();
    }
}

void TrendGraph::setTrackMode(int mode)
{
    m_trackMode = mode;
    m_draggedCursor = 0;
    m_zoomFrom.reset();
    update();
}

void TrendGraph::setGraphFrameColor(const QColor& color)
{
    m_graphFrameColor = color;
    update();
}

void TrendGraph::setPlotAreaColor(const QColor& color)
{
    m_plotAreaColor = color;
    update();
}

std::optional<std::pair<double, double>> TrendGraph::zoomSpan() const
{
    if (!m_zoomFrom)
        return std::nullopt;
    return std::pair{std::min(*m_zoomFrom, m_zoomTo), std::max(*m_zoomFrom, m_zoomTo)};
}

GraphLayout TrendGraph::layout(const QRectF& bounds) const
{
    return GraphLayout(bounds, font(), axis(GraphAxis::Time), axis(GraphAxis::Output), axis(GraphAxis::Temperature));
}

void TrendGraph::setCoveredArea(const QRect& area)
{
    if (area == m_coveredArea)
        return;
    m_coveredArea = area;
    update();
}

void TrendGraph::paintGraph(QPainter& painter, const QRectF& bounds) const
{
    paintGraph(painter, bounds, {});
}

// Only the control on screen, and its picture as drawn there, has a covered area: a printed page or
// a capture shows the graph without the list over it.
void TrendGraph::paintGraph(QPainter& painter, const QRectF& bounds, const QRectF& covered) const
{
    painter.setFont(font());
    painter.setRenderHint(QPainter::TextAntialiasing);
    const GraphLayout where = layout(bounds);
    GraphPainter(*this, painter, where, covered).paint();
}

QImage TrendGraph::controlImage() const
{
    const qreal density = devicePixelRatioF();
    QImage image(size() * density, QImage::Format_RGB32);
    image.setDevicePixelRatio(density);
    QPainter painter(&image);
    paintGraph(painter, QRectF(QPointF(0, 0), size()), m_coveredArea);
    return image;
}

void TrendGraph::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintGraph(painter, rect(), m_coveredArea);
}

int TrendGraph::cursorNear(double pixel, double within) const
{
    const GraphLayout where = layout(rect());
    int nearest = 0;
    double distance = within;
    for (int c = 1; c <= CursorCount; ++c) {
        const double away = std::abs(where.xToPixel(cursor(c).x()) - pixel);
        if (cursor(c).isVisible() && away <= distance) {
            nearest = c;
            distance = away;
        }
    }
    return nearest;
}

void TrendGraph::dragCursorTo(const QPointF& position, bool tracking)
{
    const GraphLayout where = layout(rect());
    const QRectF area = where.plotArea();
    GraphCursor& dragged = cursor(m_draggedCursor);
    dragged.setX(where.pixelToX(std::clamp(position.x(), area.left(), area.right())));
    dragged.setY(where.pixelToY(axis(GraphAxis::Temperature), std::clamp(position.y(), area.top(), area.bottom())));
    Q_EMIT cursorMoved(m_draggedCursor, dragged.x(), dragged.y(), tracking);
}

void TrendGraph::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const GraphLayout where = layout(rect());
    if (m_trackMode == TrackDragCursor) {
        // A cursor is grabbed where it stands; a click elsewhere in the plot brings the nearest one.
        m_draggedCursor = cursorNear(event->position().x());
        if (!m_draggedCursor && where.plotArea().contains(event->position()))
            m_draggedCursor = cursorNear(event->position().x(), std::numeric_limits<double>::infinity());
        if (m_draggedCursor) {
            m_activeCursor = m_draggedCursor;
            dragCursorTo(event->position(), true);
        }
    } else if (m_trackMode == TrackZoomX && where.plotArea().contains(event->position())) {
        m_zoomFrom = m_zoomTo = where.pixelToX(event->position().x());
        update();
    }
}

void TrendGraph::mouseMoveEvent(QMouseEvent* event)
{
    if (m_draggedCursor) {
        dragCursorTo(event->position(), true);
    } else if (m_zoomFrom) {
        const GraphLayout where = layout(rect());
        const QRectF area = where.plotArea();
        m_zoomTo = where.pixelToX(std::clamp(event->position().x(), area.left(), area.right()));
        update();
    }
}

void TrendGraph::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_draggedCursor) {
        dragCursorTo(event->position(), false);
        m_draggedCursor = 0;
        return;
    }
    if (!m_zoomFrom)
        return;
    mouseMoveEvent(event);
    const auto [from, to] = *zoomSpan();
    m_zoomFrom.reset();
    update();
    const GraphLayout where = layout(rect());
    if (where.xToPixel(to) - where.xToPixel(from) < SmallestZoom)
        return;
    axis(GraphAxis::Time).setMinMax(from, to);
    Q_EMIT zoomCompleted();
}

// The arrow keys step the cursor last moved (or the first one shown) a record at a time, ten with
// Shift, so that it lands on an exact record; every other key goes to the window.
void TrendGraph::keyPressEvent(QKeyEvent* event)
{
    const bool arrow = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right;
    const int stepped = arrow && m_trackMode == TrackDragCursor ? activeCursor() : 0;
    if (!stepped) {
        Q_EMIT keyPressed(event->key());
        return;
    }
    const qsizetype records = event->modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1;
    GraphCursor& moved = cursor(stepped);
    moved.step(event->key() == Qt::Key_Left ? -records : records);
    m_activeCursor = stepped;
    Q_EMIT cursorMoved(stepped, moved.x(), moved.y(), false);
}

int TrendGraph::activeCursor() const
{
    if (m_activeCursor && cursor(m_activeCursor).isVisible())
        return m_activeCursor;
    for (int c = 1; c <= 3; ++c) {
        if (cursor(c).isVisible())
            return c;
    }
    return 0;
}

void TrendGraph::wheelEvent(QWheelEvent* event)
{
    constexpr int NotchAngle = 120;
    event->accept();
    m_wheelAngle += event->angleDelta().y();
    const int steps = m_wheelAngle / NotchAngle;
    if (steps == 0)
        return;
    m_wheelAngle -= steps * NotchAngle;
    const GraphLayout where = layout(rect());
    const QRectF area = where.plotArea();
    const TrendAxis& time = axis(GraphAxis::Time);
    const double fraction = std::clamp((event->position().x() - area.left()) / std::max(1.0, area.width()), 0.0, 1.0);
    Q_EMIT wheelTurned(steps, time.minimum() + fraction * (time.maximum() - time.minimum()),
                       event->modifiers().testFlag(Qt::ControlModifier));
}

} // namespace qor
