#include "graphplot.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qor {

namespace {

// The record of the segment whose X is nearest to `x`, as an index into the columns; on a tie the
// earlier record.
qsizetype nearestInSegment(const PlotSegment& segment, double x)
{
    const auto distance = [&](qsizetype i) { return std::abs(segment.xAt(i) - x); };
    if (segment.ascending) {
        const auto begin = segment.x->begin() + segment.first;
        const auto end = segment.x->begin() + segment.end();
        const qsizetype after = segment.first + (std::lower_bound(begin, end, x) - begin);
        if (after == segment.end())
            return after - 1;
        if (after == segment.first)
            return after;
        return distance(after - 1) <= distance(after) ? after - 1 : after;
    }
    qsizetype best = segment.first;
    for (qsizetype i = segment.first + 1; i < segment.end(); ++i) {
        if (distance(i) < distance(best))
            best = i;
    }
    return best;
}

} // namespace

GraphPlot::GraphPlot(GraphAxis yAxis, std::function<void()> changed)
    : m_yAxis(yAxis)
    , m_changed(std::move(changed))
{
}

void GraphPlot::setColor(const QColor& color)
{
    m_color = color;
    m_changed();
}

void GraphPlot::setLineWidth(int width)
{
    m_lineWidth = std::clamp(width, 1, 3);
    m_changed();
}

void GraphPlot::setVisible(bool visible)
{
    m_visible = visible;
    m_changed();
}

void GraphPlot::setYAxis(GraphAxis axis)
{
    m_yAxis = axis == GraphAxis::Output ? GraphAxis::Output : GraphAxis::Temperature;
    m_changed();
}

qsizetype GraphPlot::pointCount() const
{
    qsizetype count = 0;
    for (const PlotSegment& segment : m_segments)
        count += segment.count;
    return count;
}

std::pair<const PlotSegment*, qsizetype> GraphPlot::locate(qsizetype index) const
{
    for (const PlotSegment& segment : m_segments) {
        if (index < segment.count)
            return {&segment, segment.first + index};
        index -= segment.count;
    }
    return {nullptr, 0};
}

double GraphPlot::yAt(qsizetype index) const
{
    const auto [segment, record] = locate(index);
    return segment ? segment->y->number(record) : std::numeric_limits<double>::quiet_NaN();
}

double GraphPlot::xAt(qsizetype index) const
{
    const auto [segment, record] = locate(index);
    return segment ? segment->xAt(record) : std::numeric_limits<double>::quiet_NaN();
}

PlotPoint GraphPlot::nearestPoint(double x) const
{
    PlotPoint best;
    qsizetype offset = 0;
    for (const PlotSegment& segment : m_segments) {
        if (segment.count > 0) {
            const qsizetype record = nearestInSegment(segment, x);
            if (best.index < 0 || std::abs(segment.xAt(record) - x) < std::abs(best.x - x))
                best = {offset + record - segment.first, segment.xAt(record)};
        }
        offset += segment.count;
    }
    return best;
}

void GraphPlot::setPoints(PlotSegment segment)
{
    m_segments.clear();
    if (segment.count > 0)
        m_segments.push_back(std::move(segment));
    m_changed();
}

void GraphPlot::appendPoints(PlotSegment segment, qint64 keep)
{
    if (segment.count > 0)
        m_segments.push_back(std::move(segment));
    if (keep > 0)
        dropOldest(keep);
    m_changed();
}

void GraphPlot::dropOldest(qint64 keep)
{
    qint64 excess = pointCount() - keep;
    while (excess > 0) {
        PlotSegment& oldest = m_segments.front();
        const qsizetype dropped = std::min<qsizetype>(excess, oldest.count);
        oldest.first += dropped;
        oldest.count -= dropped;
        excess -= dropped;
        if (oldest.count == 0)
            m_segments.erase(m_segments.begin());
    }
}

void GraphPlot::clear()
{
    m_segments.clear();
    m_changed();
}

} // namespace qor
