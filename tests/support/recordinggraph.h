#pragma once

#include "data/loadeddataset.h"
#include "data/readresult.h"
#include "data/tracegraph.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>

// A TraceGraph that records every call, for tests of the readers.
class RecordingGraph final : public qor::TraceGraph {
  public:
    struct PlotCall {
        QString call; // "chart" or "plot"
        qor::TimePtr x;
        qor::ColumnPtr y;
    };

    QStringList calls;             // every call in order, e.g. "axis 3 0 100"
    std::map<int, PlotCall> plots; // the last points handed to each plot
    std::map<int, int> plotAxis;   // the Y axis of each plot, once set
    QList<double> progress;
    bool busyShown = false;
    bool busyCancellable = false;
    // The user cancels when the notice shows this many progress reports; never when unset.
    std::optional<int> cancelAtReport;

    void clearData() override;
    void setChartLength(qint32 length) override;
    void setAxisMinMax(qor::GraphAxis axis, double minimum, double maximum) override;
    void plotXvsY(int plot, const qor::TimePtr& x, const qor::ColumnPtr& y) override;
    void chartXvsY(int plot, const qor::TimePtr& x, const qor::ColumnPtr& y) override;
    void setPlotYAxis(int plot, qor::GraphAxis axis) override;
    void setSliderRange(double minimum, double maximum) override;
    void showBusyNotice(int dots, qor::Cancellable cancellable) override;
    bool setBusyProgress(double fraction) override;
    void hideBusyNotice() override;

    // The calls without the busy notice, the way a test compares them.
    QStringList drawingCalls() const;
};

// Reads with `read` once, then again for every progress report that read made, with the user
// cancelling at that report: each such read must stop there with Cancelled, draw no plot, keep no
// records and log nothing. `reports` gets the progress of the whole read.
void expectCancelAtEveryReport(const std::function<qor::ReadResult(RecordingGraph&, qor::SlotData&)>& read, QList<double>& reports);
