#pragma once

#include "graphannotation.h"
#include "graphcursor.h"
#include "graphlayout.h"
#include "graphplot.h"
#include "graphstyle.h"
#include "trendaxis.h"

#include <QImage>
#include <QWidget>

#include <optional>
#include <vector>

namespace qor {

// The trend graph control (`CWGraph1`): three axes, nine plots, five cursors and three annotations.
//
// - `axis(GraphAxis::Time)` (`Axes(1)`) holds date serials; `axis(GraphAxis::Output)` (`Axes(2)`)
//   runs 0 to 100; `axis(GraphAxis::Temperature)` (`Axes(3)`, caption "(Temp)") is 0 to 300 until set.
// - Plots 1 to 9 are drawn against the output or the temperature axis. `plotXvsY` replaces a plot's
//   points and `chartXvsY` appends to them (keeping at most `chartLength` points), both holding the
//   shared columns without copying them; a Y value that is no number leaves a gap.
// - Cursors 1 to 5 snap to records (see GraphCursor); annotations 1 to 3 are texts at an anchor.
// - `trackMode` 1 does nothing with the mouse; 2 lets the mouse drag the visible cursors, raising
//   cursorMoved while dragging (tracking true) and once more on release (tracking false); 7 lets a
//   horizontal drag choose a time span, shown while dragging, which becomes the time axis range,
//   followed by zoomCompleted. A key pressed while the graph has focus raises keyPressed with the Qt
//   key code (Qt::Key_Escape for Escape).
// Drawing costs the same whatever the record count: see PlotReducer.
class TrendGraph final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrendGraph)

  public:
    static constexpr int PlotCount = 9;
    static constexpr int CursorCount = 5;
    static constexpr int AnnotationCount = 3;
    // The values of `trackMode`.
    static constexpr int TrackNone = 1;
    static constexpr int TrackDragCursor = 2;
    static constexpr int TrackZoomX = 7;
    // How near a press must be to a cursor, in pixels, to grab it.
    static constexpr double GrabDistance = 6;

    explicit TrendGraph(QWidget* parent = nullptr);
    ~TrendGraph() override;

    TrendAxis& axis(GraphAxis axis);
    const TrendAxis& axis(GraphAxis axis) const;
    GraphPlot& plot(int plot);
    const GraphPlot& plot(int plot) const;
    GraphCursor& cursor(int cursor);
    const GraphCursor& cursor(int cursor) const;
    GraphAnnotation& annotation(int annotation);
    const GraphAnnotation& annotation(int annotation) const;

    void plotXvsY(int plot, const TimePtr& x, const ColumnPtr& y);
    void chartXvsY(int plot, const TimePtr& x, const ColumnPtr& y);
    void clearData();
    // How many points each plot keeps when points are appended; 0 (the default) keeps all.
    qint32 chartLength() const { return m_chartLength; }
    void setChartLength(qint32 length);

    int trackMode() const { return m_trackMode; }
    void setTrackMode(int mode);

    QColor graphFrameColor() const { return m_graphFrameColor; }
    void setGraphFrameColor(const QColor& color);
    QColor plotAreaColor() const { return m_plotAreaColor; }
    void setPlotAreaColor(const QColor& color);
    // The part of the control that another widget stands over (the statistics list), in the
    // control's pixels: the annotations are drawn clear of it. Empty when nothing covers it.
    QRect coveredArea() const { return m_coveredArea; }
    void setCoveredArea(const QRect& area);

    // The time span being chosen by a zoom drag, if one is under way.
    std::optional<std::pair<double, double>> zoomSpan() const;
    GraphLayout layout(const QRectF& bounds) const;
    // Draws the whole control into `painter` over `bounds`, for a page or a capture: with the
    // annotations where they stand, whatever covers the control on screen.
    void paintGraph(QPainter& painter, const QRectF& bounds) const;
    // A picture of the control as drawn on screen, at the screen's pixel density (`ControlImage`).
    QImage controlImage() const;

  Q_SIGNALS:
    void cursorMoved(int cursor, double x, double y, bool tracking);
    void zoomCompleted();
    void keyPressed(int key);
    // The wheel turned `steps` notches (forward positive) over the time `x`; `zoom` with Ctrl held.
    void wheelTurned(int steps, double x, bool zoom);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void paintGraph(QPainter& painter, const QRectF& bounds, const QRectF& covered) const;
    static std::size_t checkedIndex(int number, int count);
    PlotSegment segmentOf(const TimePtr& x, const ColumnPtr& y) const;
    bool knownAscending(const TimePtr& x, qsizetype count, bool& ascending) const;
    void pointsChanged();
    // The shown cursor nearest to `pixel` within `within` pixels; 0 for none.
    int cursorNear(double pixel, double within = GrabDistance) const;
    int activeCursor() const;
    void dragCursorTo(const QPointF& position, bool tracking);

    std::vector<TrendAxis> m_axes;
    std::vector<GraphPlot> m_plots;
    std::vector<GraphCursor> m_cursors;
    std::vector<GraphAnnotation> m_annotations;
    qint32 m_chartLength = 0;
    int m_trackMode = TrackNone;
    QColor m_graphFrameColor = graphstyle::LightBack;
    QColor m_plotAreaColor{Qt::white};
    QRect m_coveredArea;
    int m_draggedCursor = 0;
    int m_activeCursor = 0; // the cursor the arrow keys step
    std::optional<double> m_zoomFrom;
    double m_zoomTo = 0;
    int m_wheelAngle = 0; // turned since the last whole notch, for wheels finer than a notch
};

} // namespace qor
