#pragma once

#include "graphplot.h"

#include <QColor>
#include <QString>

#include <functional>
#include <vector>

namespace qor {

// A vertical cursor line of the graph (`Cursors(c)`). Its X position always stands on a record of
// the plot it snaps to: setting X moves it to the record with the nearest X (binary search where
// the plot's times are in order, a scan otherwise) and `pointIndex` is that record's 0-based index
// among the plot's points, which for a plot drawn from one pair of columns is the record index of
// the columns. It snaps to plot `snapPlot` (1 to 9), or to the first plot that has points while that
// one has none. With no points anywhere the X is kept as given and the point index is -1.
// Y is where the cursor was last grabbed, in units of the temperature axis.
class GraphCursor {
  public:
    GraphCursor(QString name, const std::vector<GraphPlot>& plots, std::function<void()> changed);

    QString name() const { return m_name; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);

    double x() const { return m_x; }
    void setX(double x);
    qsizetype pointIndex() const { return m_pointIndex; }
    // Moves the cursor onto point `index` of its plot (ignored when there is no such point).
    void setPointIndex(qsizetype index);
    // Moves the cursor `records` points on (back where negative), stopping at the plot's ends.
    void step(qsizetype records);
    double y() const { return m_y; }
    void setY(double y);

    // Puts the cursor back on a record after the plots' points changed.
    void snap();

  private:
    const GraphPlot* target() const;

    QString m_name;
    const std::vector<GraphPlot>& m_plots;
    bool m_visible = false;
    QColor m_color = Qt::black;
    double m_x = 0;
    double m_y = 0;
    qsizetype m_pointIndex = -1;
    std::function<void()> m_changed;
};

} // namespace qor
