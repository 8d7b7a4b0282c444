#pragma once

#include "plotsegment.h"
#include "trendaxis.h"

#include <QColor>

#include <functional>
#include <vector>

namespace qor {

// The record of a plot nearest to an X value: its point index (0-based, counted over the points of
// the plot) and its X value; index -1 when the plot has no points.
struct PlotPoint {
    qsizetype index = -1;
    double x = 0;
};

// One plot of the trend graph (`Plots(k)`): its style (colour, line width 1 to 3, visibility, the Y
// axis it is drawn against) and its points, kept as segments of shared columns. The graph sets the
// points (`TrendGraph::plotXvsY`, `chartXvsY`), so that it can keep its cursors on records.
class GraphPlot {
  public:
    GraphPlot(GraphAxis yAxis, std::function<void()> changed);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    int lineWidth() const { return m_lineWidth; }
    void setLineWidth(int width); // kept within 1 to 3
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    GraphAxis yAxis() const { return m_yAxis; }
    void setYAxis(GraphAxis axis); // the output or the temperature axis

    const std::vector<PlotSegment>& segments() const { return m_segments; }
    qsizetype pointCount() const;
    // The Y number of point `index` (0-based over the plot's points).
    double yAt(qsizetype index) const;
    // The X value of point `index`.
    double xAt(qsizetype index) const;
    PlotPoint nearestPoint(double x) const;

    void setPoints(PlotSegment segment);
    // Appends the points and drops the oldest ones beyond `keep` points (no limit when `keep` <= 0).
    void appendPoints(PlotSegment segment, qint64 keep);
    void clear();

  private:
    std::pair<const PlotSegment*, qsizetype> locate(qsizetype index) const;
    void dropOldest(qint64 keep);

    QColor m_color = Qt::red;
    int m_lineWidth = 1;
    bool m_visible = true;
    GraphAxis m_yAxis;
    std::vector<PlotSegment> m_segments;
    std::function<void()> m_changed;
};

} // namespace qor
