#pragma once

#include "busyinputgate.h"

#include "data/tracegraph.h"

#include <QElapsedTimer>

#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace qor {

class TimeSlider;
class TrendGraph;

// What a reader draws into on a graph window: the graph control, the slider's range and the busy
// notice (a frame with a caption, a progress bar and, for a task that can be stopped, a Cancel
// button), which keeps the window repainting while a long read goes on.
class GraphReaderTarget final : public TraceGraph {
  public:
    struct BusyNotice {
        QWidget* frame;
        QLabel* caption;
        QProgressBar* progress;
        QPushButton* cancel;
    };

    GraphReaderTarget(TrendGraph& graph, TimeSlider& slider, BusyNotice busy);
    GraphReaderTarget(const GraphReaderTarget&) = delete;
    GraphReaderTarget& operator=(const GraphReaderTarget&) = delete;

    void clearData() override;
    void setChartLength(qint32 length) override;
    void setAxisMinMax(GraphAxis axis, double minimum, double maximum) override;
    void plotXvsY(int plot, const TimePtr& x, const ColumnPtr& y) override;
    void chartXvsY(int plot, const TimePtr& x, const ColumnPtr& y) override;
    void setPlotYAxis(int plot, GraphAxis axis) override;
    void setSliderRange(double minimum, double maximum) override;
    void showBusyNotice(int dots, Cancellable cancellable) override;
    bool setBusyProgress(double fraction) override;
    void hideBusyNotice() override;
    // A busy notice is shown: a read or an export is under way.
    bool busy() const { return m_shown; }

  private:
    void processPendingEvents();

    TrendGraph& m_graph;
    TimeSlider& m_slider;
    BusyNotice m_busy;
    QElapsedTimer m_lastRepaint;
    std::optional<BusyInputGate> m_inputGate; // while a cancellable notice is shown
    bool m_cancelled = false;
    bool m_shown = false;
};

} // namespace qor
