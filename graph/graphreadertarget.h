#pragma once

#include "data/tracegraph.h"

#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QWidget;

namespace qor {

class TimeSlider;
class TrendGraph;

// What a reader draws into on a graph window: the graph control, the slider's range and the busy
// notice (a frame with a caption and a progress bar), which keeps the window repainting while a
// long read goes on.
class GraphReaderTarget final : public TraceGraph {
  public:
    struct BusyNotice {
        QWidget* frame;
        QLabel* caption;
        QProgressBar* progress;
    };

    GraphReaderTarget(TrendGraph& graph, TimeSlider& slider, BusyNotice busy);

    void clearData() override;
    void setChartLength(qint32 length) override;
    void setAxisMinMax(GraphAxis axis, double minimum, double maximum) override;
    void plotXvsY(int plot, const TimePtr& x, const ColumnPtr& y) override;
    void chartXvsY(int plot, const TimePtr& x, const ColumnPtr& y) override;
    void setPlotYAxis(int plot, GraphAxis axis) override;
    void setSliderRange(double minimum, double maximum) override;
    void showBusyNotice(int dots) override;
    void setBusyProgress(double fraction) override;
    void hideBusyNotice() override;

  private:
    TrendGraph& m_graph;
    TimeSlider& m_slider;
    BusyNotice m_busy;
    QElapsedTimer m_lastRepaint;
};

} // namespace qor
