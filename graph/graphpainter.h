#pragma once

#include <vector>

#include "graphlayout.h"

#include <QPainter>

namespace qor {

class TrendGraph;

// Draws a trend graph: frame, plot area, grid, the three axes with their ticks, labels and
// captions, the plots, the cursors, the annotations and a zoom span being chosen. Labels that would
// overlap their neighbours are thinned out (every second, third, ... label is kept).
class GraphPainter {
  public:
    // The annotations keep clear of `covered` (empty: nothing covers the drawing).
    GraphPainter(const TrendGraph& graph, QPainter& painter, const GraphLayout& layout, const QRectF& covered = {});

    void paint();

  private:
    void paintGrid();
    void paintGridLines(const TrendAxis& axis, bool vertical, int parts, int alpha);
    void paintTimeAxis();
    void paintValueAxis(const TrendAxis& axis, bool left);
    static QColor readable(const QColor& text, const QColor& background);
    void paintPlots();
    void paintCursors();
    void paintAnnotations();
    QRectF labelBox(QRectF box, const std::vector<QRectF>& drawn) const;
    QRectF uncoveredBox(const QRectF& box, const std::vector<QRectF>& drawn) const;
    void paintZoomSpan();
    int labelStride(double spacing, double needed) const;

    const TrendGraph& m_graph;
    QPainter& m_painter;
    const GraphLayout& m_layout;
    QRectF m_area;
    QRectF m_covered;
};

} // namespace qor
