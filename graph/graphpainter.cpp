#include "graphpainter.h"

#include "textcontrast.h"

#include "plotreducer.h"
#include "trendgraph.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace qor {

namespace {

QColor faded(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

// `color` seen at `alpha` over `background`, as an opaque colour. The grid is drawn in such colours:
// a print device draws an opaque dotted line natively, while a translucent one becomes thousands of
// separately filled dots that take a PDF a hundred times as long to write.
QColor blended(const QColor& color, const QColor& background, int alpha)
{
    const auto mix = [alpha](int over, int under) { return (over * alpha + under * (255 - alpha) + 127) / 255; };
    return QColor(mix(color.red(), background.red()), mix(color.green(), background.green()), mix(color.blue(), background.blue()));
}

// A wide polyline in the shapes that the raster engine fills fast: each stretch of points at one x
// (a reduced pixel column holds up to four) as one bar as wide as the pen, reaching half the width
// beyond its ends as a square cap does, and each step to the next x as a line of its own, which the
// engine rasterises directly. Stroked whole, the polyline would be outlined segment by segment
// with its joins, which takes twenty times as long.
void drawWideRun(QPainter& painter, const QPolygonF& run, std::vector<QLineF>& steps)
{
    const qreal width = painter.pen().widthF();
    const QColor color = painter.pen().color();
    steps.clear();
    for (qsizetype i = 0; i < run.size();) {
        qreal top = run[i].y();
        qreal bottom = top;
        qsizetype last = i;
        for (; last + 1 < run.size() && run[last + 1].x() == run[i].x(); ++last) {
            top = std::min(top, run[last + 1].y());
            bottom = std::max(bottom, run[last + 1].y());
        }
        painter.fillRect(QRectF(run[i].x() - width / 2, top - width / 2, width, bottom - top + width), color);
        if (last + 1 < run.size())
            steps.emplace_back(run[last], run[last + 1]);
        i = last + 1;
    }
    painter.drawLines(steps.data(), static_cast<int>(steps.size()));
}

} // namespace

GraphPainter::GraphPainter(const TrendGraph& graph, QPainter& painter, const GraphLayout& layout, const QRectF& covered)
    : m_graph(graph)
    , m_painter(painter)
    , m_layout(layout)
    , m_area(layout.plotArea())
    , m_covered(covered)
{
}

void GraphPainter::paint()
{
    m_painter.fillRect(m_layout.bounds(), m_graph.graphFrameColor());
    m_painter.fillRect(m_area, m_graph.plotAreaColor());
    paintGrid();
    paintPlots();
    paintCursors();
    paintAnnotations();
    paintZoomSpan();
    m_painter.setPen(QPen(m_graph.axis(GraphAxis::Time).majorTickColor(), 0));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(m_area);
    paintTimeAxis();
    paintValueAxis(m_graph.axis(GraphAxis::Temperature), true);
    paintValueAxis(m_graph.axis(GraphAxis::Output), false);
}

void GraphPainter::paintGrid()
{
    const TrendAxis& time = m_graph.axis(GraphAxis::Time);
    const TrendAxis& temperature = m_graph.axis(GraphAxis::Temperature);
    if (time.minorGrid())
        paintGridLines(time, true, time.majorDivisions() * TrendAxis::MinorPerMajor, 40);
    if (temperature.minorGrid())
        paintGridLines(temperature, false, temperature.majorDivisions() * TrendAxis::MinorPerMajor, 40);
    paintGridLines(time, true, time.majorDivisions(), 110);
    paintGridLines(temperature, false, temperature.majorDivisions(), 110);
}

void GraphPainter::paintGridLines(const TrendAxis& axis, bool vertical, int parts, int alpha)
{
    m_painter.setPen(QPen(blended(axis.majorTickColor(), m_graph.plotAreaColor(), alpha), 0, Qt::DotLine));
    for (int i = 1; i < parts; ++i) {
        const double at = vertical ? m_area.left() + m_area.width() * i / parts : m_area.bottom() - m_area.height() * i / parts;
        if (vertical)
            m_painter.drawLine(QPointF(at, m_area.top()), QPointF(at, m_area.bottom()));
        else
            m_painter.drawLine(QPointF(m_area.left(), at), QPointF(m_area.right(), at));
    }
}

int GraphPainter::labelStride(double spacing, double needed) const
{
    return spacing > 0 ? std::max(1, static_cast<int>(std::ceil(needed / spacing))) : 1;
}

void GraphPainter::paintTimeAxis()
{
    const TrendAxis& axis = m_graph.axis(GraphAxis::Time);
    const QFontMetricsF metrics(m_painter.font());
    const std::vector<double> ticks = axis.majorTicks();
    qreal widest = 0;
    for (double tick : ticks)
        widest = std::max(widest, metrics.horizontalAdvance(axis.tickLabel(tick)));
    const int stride = labelStride(m_area.width() / axis.majorDivisions(), widest + metrics.averageCharWidth() * 2);
    const qreal tick = m_layout.tickLength();
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const double x = m_area.left() + m_area.width() * static_cast<double>(i) / axis.majorDivisions();
        m_painter.setPen(QPen(axis.majorTickColor(), 0));
        m_painter.drawLine(QPointF(x, m_area.bottom()), QPointF(x, m_area.bottom() + tick));
        if (i % static_cast<std::size_t>(stride) != 0)
            continue;
        const QString label = axis.tickLabel(ticks[i]);
        const qreal width = metrics.horizontalAdvance(label);
        const qreal left = std::clamp(x - width / 2, m_layout.bounds().left(), m_layout.bounds().right() - width);
        m_painter.setPen(readable(axis.labelColor(), m_graph.graphFrameColor()));
        m_painter.drawText(QPointF(left, m_area.bottom() + tick + metrics.ascent() + 1), label);
    }
}

void GraphPainter::paintValueAxis(const TrendAxis& axis, bool left)
{
    const QFontMetricsF metrics(m_painter.font());
    const std::vector<double> ticks = axis.majorTicks();
    const int stride = labelStride(m_area.height() / axis.majorDivisions(), metrics.height() * 1.1);
    const qreal tick = m_layout.tickLength();
    const qreal edge = left ? m_area.left() : m_area.right();
    const qreal outward = left ? -tick : tick;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const double y = m_area.bottom() - m_area.height() * static_cast<double>(i) / axis.majorDivisions();
        m_painter.setPen(QPen(axis.majorTickColor(), 0));
        m_painter.drawLine(QPointF(edge, y), QPointF(edge + outward, y));
        if (i % static_cast<std::size_t>(stride) != 0)
            continue;
        const QString label = axis.tickLabel(ticks[i]);
        const qreal width = metrics.horizontalAdvance(label);
        const qreal x = left ? edge - tick - metrics.averageCharWidth() / 2 - width : edge + tick + metrics.averageCharWidth() / 2;
        m_painter.setPen(readable(axis.labelColor(), m_graph.graphFrameColor()));
        m_painter.drawText(QPointF(x, y + metrics.ascent() / 2 - 1), label);
    }
    if (axis.caption().isEmpty())
        return;
    const qreal width = metrics.horizontalAdvance(axis.caption());
    const qreal x =
        left ? std::max(m_layout.bounds().left() + 2, edge - width / 2) : std::min(m_layout.bounds().right() - width - 2, edge - width / 2);
    m_painter.setPen(readable(axis.captionColor(), m_graph.graphFrameColor()));
    m_painter.drawText(QPointF(x, m_area.top() - metrics.descent() - tick), axis.caption());
}

// The user's colour, or one near it that can be read on `background` (a white time axis on a light
// window, a pale plot colour on a cursor label's backing).
QColor GraphPainter::readable(const QColor& text, const QColor& background)
{
    return textcontrast::readableOn(text, background, textcontrast::ForGraphText);
}

void GraphPainter::paintPlots()
{
    const TrendAxis& time = m_graph.axis(GraphAxis::Time);
    const qreal density = m_painter.device() ? m_painter.device()->devicePixelRatioF() : 1.0;
    m_painter.save();
    m_painter.setClipRect(m_area);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    std::vector<const GraphPlot*> shown;
    for (int k = 1; k <= TrendGraph::PlotCount; ++k) {
        if (const GraphPlot& plot = m_graph.plot(k); plot.isVisible() && plot.pointCount() > 0)
            shown.push_back(&plot);
    }
    PlotReducer::buildLevels(shown);
    PlotReducer reducer({m_area, time.minimum(), time.maximum(), static_cast<int>(std::ceil(m_area.width() * density))});
    std::vector<QLineF> steps;
    for (const GraphPlot* shownPlot : shown) {
        const GraphPlot& plot = *shownPlot;
        const TrendAxis& y = m_graph.axis(plot.yAxis());
        m_painter.setPen(QPen(plot.color(), plot.lineWidth(), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        for (const QPolygonF& run : reducer.runs(plot, y.minimum(), y.maximum())) {
            if (plot.lineWidth() > 1)
                drawWideRun(m_painter, run, steps);
            else if (run.size() == 1)
                m_painter.drawPoint(run.front());
            else
                m_painter.drawPolyline(run);
        }
    }
    m_painter.restore();
}

void GraphPainter::paintCursors()
{
    for (int c = 1; c <= TrendGraph::CursorCount; ++c) {
        const GraphCursor& cursor = m_graph.cursor(c);
        const double x = m_layout.xToPixel(cursor.x());
        if (!cursor.isVisible() || x < m_area.left() || x > m_area.right())
            continue;
        m_painter.setPen(QPen(cursor.color(), 1));
        m_painter.drawLine(QPointF(x, m_area.top()), QPointF(x, m_area.bottom()));
    }
}

void GraphPainter::paintAnnotations()
{
    const QFontMetricsF metrics(m_painter.font());
    const TrendAxis& temperature = m_graph.axis(GraphAxis::Temperature);
    std::vector<QRectF> drawn;
    for (int a = 1; a <= TrendGraph::AnnotationCount; ++a) {
        const GraphAnnotation& annotation = m_graph.annotation(a);
        const qreal anchor = m_layout.xToPixel(annotation.x());
        // A label whose cursor has left the view goes with it; it would otherwise stand at the edge.
        if (!annotation.isVisible() || annotation.caption().isEmpty() || anchor < m_area.left() || anchor > m_area.right())
            continue;
        const qreal width = metrics.horizontalAdvance(annotation.caption());
        const qreal x = std::clamp<qreal>(anchor + 2, m_area.left(), std::max(m_area.left(), m_area.right() - width));
        const qreal y = std::clamp<qreal>(m_layout.yToPixel(temperature, annotation.y()), m_area.top() + metrics.ascent(),
                                          m_area.bottom() - metrics.descent());
        const QRectF box = uncoveredBox(labelBox(QRectF(x, y - metrics.ascent(), width, metrics.height()), drawn), drawn);
        drawn.push_back(box);
        // On a backing of the plot area's colour, so that no trace runs through the text.
        m_painter.fillRect(box.adjusted(-2, 0, 2, 0), m_graph.plotAreaColor());
        m_painter.setPen(readable(annotation.captionColor(), m_graph.plotAreaColor()));
        m_painter.drawText(QPointF(box.left(), box.top() + metrics.ascent()), annotation.caption());
    }
}

// `box` moved a line down (or up, where the plot area ends) until it covers no label drawn before.
QRectF GraphPainter::labelBox(QRectF box, const std::vector<QRectF>& drawn) const
{
    const qreal step = box.height();
    for (std::size_t tries = 0; tries <= drawn.size(); ++tries) {
        const auto covers = [&](const QRectF& other) { return other.intersects(box); };
        if (std::none_of(drawn.begin(), drawn.end(), covers))
            break;
        box.translate(0, box.bottom() + step <= m_area.bottom() ? step : -step);
    }
    return box;
}

// A label under the covered area moves to the nearest line of the plot area, below it first, where
// it covers neither the area nor a label drawn before; where there is none it stays.
QRectF GraphPainter::uncoveredBox(const QRectF& box, const std::vector<QRectF>& drawn) const
{
    const QRectF covered = m_covered.adjusted(-2, 0, 2, 0); // the backing reaches beyond the text
    if (!covered.intersects(box))
        return box;
    const auto isFree = [&](const QRectF& place) {
        return !covered.intersects(place) &&
               std::none_of(drawn.begin(), drawn.end(), [&](const QRectF& other) { return other.intersects(place); });
    };
    const qreal step = box.height();
    for (QRectF below = box; below.bottom() <= m_area.bottom(); below.translate(0, step)) {
        if (isFree(below))
            return below;
    }
    for (QRectF above = box.translated(0, -step); above.top() >= m_area.top(); above.translate(0, -step)) {
        if (isFree(above))
            return above;
    }
    return box;
}

void GraphPainter::paintZoomSpan()
{
    const auto span = m_graph.zoomSpan();
    if (!span)
        return;
    const double from = std::clamp(m_layout.xToPixel(span->first), m_area.left(), m_area.right());
    const double to = std::clamp(m_layout.xToPixel(span->second), m_area.left(), m_area.right());
    const QColor mark = m_graph.axis(GraphAxis::Time).majorTickColor();
    m_painter.fillRect(QRectF(QPointF(from, m_area.top()), QPointF(to, m_area.bottom())), faded(mark, 50));
    m_painter.setPen(QPen(mark, 0, Qt::DashLine));
    m_painter.drawLine(QPointF(from, m_area.top()), QPointF(from, m_area.bottom()));
    m_painter.drawLine(QPointF(to, m_area.top()), QPointF(to, m_area.bottom()));
}

} // namespace qor
