#pragma once

#include "tracegraph.h"

#include <functional>
#include <vector>

namespace qor {

// A graph that keeps what a reader draws and passes only the busy notice on to the window. The open
// command reads into it so that a read that fails leaves the window's plots as they were; a read
// that succeeds is then drawn into the window with replay().
class RecordedDrawing final : public TraceGraph {
  public:
    // `notice` shows the busy notice while the file is read (the slot's window, or a NullGraph).
    explicit RecordedDrawing(TraceGraph& notice);

    // Draws into `graph` what the reader drew, in the same order.
    void replay(TraceGraph& graph) const;

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

  private:
    TraceGraph* m_notice;
    std::vector<std::function<void(TraceGraph&)>> m_steps;
};

} // namespace qor
