#pragma once

#include "trendaxis.h"

#include <QFont>
#include <QRectF>

namespace qor {

// Where the parts of the graph go for a given size and font, and the mapping between axis values
// and positions. The margins follow the font, so the labels keep their room at any size and
// pixel density: the temperature axis is on the left with its caption above, the output axis on the
// right, the time labels below.
class GraphLayout {
  public:
    GraphLayout(const QRectF& bounds, const QFont& font, const TrendAxis& time, const TrendAxis& output, const TrendAxis& temperature);

    QRectF bounds() const { return m_bounds; }
    QRectF plotArea() const { return m_plotArea; }
    qreal tickLength() const { return m_tickLength; }

    double xToPixel(double x) const;
    double pixelToX(double pixel) const;
    double yToPixel(const TrendAxis& axis, double y) const;
    double pixelToY(const TrendAxis& axis, double pixel) const;

  private:
    QRectF m_bounds;
    QRectF m_plotArea;
    qreal m_tickLength;
    // The time range when the layout was made: a layout describes one moment of the graph.
    double m_timeMinimum;
    double m_timeSpan;
};

} // namespace qor
