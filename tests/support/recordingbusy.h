#pragma once

#include "data/busynotice.h"
#include "data/loadeddataset.h"
#include "data/readresult.h"
#include "data/recordermodel.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// A busy display that records what a read shows on it, for tests of the readers.
class RecordingBusy final : public qor::BusyDisplay {
  public:
    QStringList calls; // "busy <dots>" and "idle", in order
    QList<double> progress;
    bool busyShown = false;
    bool busyCancellable = false;
    // The user cancels when the notice shows this many progress reports; never when unset.
    std::optional<int> cancelAtReport;

    void showBusyNotice(int dots, qor::Cancellable cancellable) override;
    bool setBusyProgress(double fraction) override;
    void hideBusyNotice() override;
};

// What a window draws for a read plan, as a test compares it: "yaxis 4 <axis>|yaxis 5 <axis>"
// (2 output, 3 temperature), then "plot <n>" for each plot of the plan.
QString plotCallsOf(const qor::models::ReadPlan& plan);

// Reads with `read` once, then again for every progress report that read made, with the user
// cancelling at that report: each such read must stop there with Cancelled, keep no records and
// log nothing. `reports` gets the progress of the whole read.
void expectCancelAtEveryReport(const std::function<qor::ReadResult(RecordingBusy&, qor::SlotData&)>& read, QList<double>& reports);
