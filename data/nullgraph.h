#pragma once

#include "tracegraph.h"

namespace qor {

// A graph that draws nothing: for reading a file without a window.
class NullGraph final : public TraceGraph {
  public:
    void clearData() override {}
    void setChartLength(qint32) override {}
    void setAxisMinMax(GraphAxis, double, double) override {}
    void plotXvsY(int, const TimePtr&, const ColumnPtr&) override {}
    void chartXvsY(int, const TimePtr&, const ColumnPtr&) override {}
    void setPlotYAxis(int, GraphAxis) override {}
    void setSliderRange(double, double) override {}
    void showBusyNotice(int, Cancellable) override {}
    bool setBusyProgress(double) override { return true; }
    void hideBusyNotice() override {}
};

} // namespace qor
