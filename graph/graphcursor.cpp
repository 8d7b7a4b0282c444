#include "graphcursor.h"

#include <algorithm>

namespace qor {

GraphCursor::GraphCursor(QString name, const std::vector<GraphPlot>& plots, std::function<void()> changed)
    : m_name(std::move(name))
    , m_plots(plots)
    , m_changed(std::move(changed))
{
}

void GraphCursor::setVisible(bool visible)
{
    m_visible = visible;
    m_changed();
}

void GraphCursor::setColor(const QColor& color)
{
    m_color = color;
    m_changed();
}

// A cursor stands on the records of the first plot that has points (plot 1 whenever the file has
// records: every model draws it).
const GraphPlot* GraphCursor::target() const
{
    const auto withPoints = std::find_if(m_plots.begin(), m_plots.end(), [](const GraphPlot& plot) { return plot.pointCount() > 0; });
    return withPoints != m_plots.end() ? &*withPoints : nullptr;
}

void GraphCursor::setX(double x)
{
    const GraphPlot* plot = target();
    const PlotPoint point = plot ? plot->nearestPoint(x) : PlotPoint{};
    m_x = point.index >= 0 ? point.x : x;
    m_pointIndex = point.index;
    m_changed();
}

void GraphCursor::setPointIndex(qsizetype index)
{
    const GraphPlot* plot = target();
    if (!plot || index < 0 || index >= plot->pointCount())
        return;
    m_x = plot->xAt(index);
    m_pointIndex = index;
    m_changed();
}

void GraphCursor::step(qsizetype records)
{
    const GraphPlot* plot = target();
    if (!plot || m_pointIndex < 0)
        return;
    setPointIndex(std::clamp<qsizetype>(m_pointIndex + records, 0, plot->pointCount() - 1));
}

void GraphCursor::setY(double y)
{
    m_y = y;
    m_changed();
}

void GraphCursor::snap()
{
    setX(m_x);
}

} // namespace qor
