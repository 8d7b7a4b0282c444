#include "graphlayout.h"

#include <QFontMetricsF>

#include <algorithm>

namespace qor {

namespace {

qreal widestLabel(const QFontMetricsF& metrics, const TrendAxis& axis)
{
    qreal widest = 0;
    for (double tick : axis.majorTicks())
        widest = std::max(widest, metrics.horizontalAdvance(axis.tickLabel(tick)));
    return widest;
}

double span(const TrendAxis& axis)
{
    const double width = axis.maximum() - axis.minimum();
    return width != 0 ? width : 1;
}

} // namespace

GraphLayout::GraphLayout(const QRectF& bounds, const QFont& font, const TrendAxis& time, const TrendAxis& output,
                         const TrendAxis& temperature)
    : m_bounds(bounds)
    , m_timeMinimum(time.minimum())
    , m_timeSpan(span(time))
{
    const QFontMetricsF metrics(font);
    const qreal line = metrics.height();
    m_tickLength = std::max<qreal>(3, line / 3);
    const qreal gap = line / 3;
    // Half a time label may stick out past either end of the time axis.
    const qreal timeOverhang = widestLabel(metrics, time) / 2;
    const qreal left = std::max({widestLabel(metrics, temperature) + m_tickLength + 2 * gap,
                                 metrics.horizontalAdvance(temperature.caption()) + gap, timeOverhang + gap});
    const qreal right = std::max(widestLabel(metrics, output) + m_tickLength + 2 * gap, timeOverhang + gap);
    const qreal top = line + gap;
    const qreal bottom = line + m_tickLength + 2 * gap;
    m_plotArea = bounds.adjusted(left, top, -right, -bottom);
    if (m_plotArea.width() < 1 || m_plotArea.height() < 1)
        m_plotArea = QRectF(bounds.center(), QSizeF(1, 1));
}

double GraphLayout::xToPixel(double x) const
{
    return m_plotArea.left() + (x - m_timeMinimum) / m_timeSpan * m_plotArea.width();
}

double GraphLayout::pixelToX(double pixel) const
{
    return m_timeMinimum + (pixel - m_plotArea.left()) / m_plotArea.width() * m_timeSpan;
}

double GraphLayout::yToPixel(const TrendAxis& axis, double y) const
{
    return m_plotArea.bottom() - (y - axis.minimum()) / span(axis) * m_plotArea.height();
}

double GraphLayout::pixelToY(const TrendAxis& axis, double pixel) const
{
    return axis.minimum() + (m_plotArea.bottom() - pixel) / m_plotArea.height() * span(axis);
}

} // namespace qor
