#include "recordingbusy.h"

#include <QTest>

void RecordingBusy::showBusyNotice(int dots, qor::Cancellable cancellable)
{
    calls << QStringLiteral("busy %1").arg(dots);
    busyShown = true;
    busyCancellable = cancellable == qor::Cancellable::Yes;
}

bool RecordingBusy::setBusyProgress(double fraction)
{
    progress << fraction;
    return !cancelAtReport || progress.size() < *cancelAtReport;
}

void RecordingBusy::hideBusyNotice()
{
    calls << QStringLiteral("idle");
    busyShown = false;
}

QString plotCallsOf(const qor::models::ReadPlan& plan)
{
    const int axis = plan.plots4And5OnTemperatureAxis ? 3 : 2;
    QStringList calls{QStringLiteral("yaxis 4 %1").arg(axis), QStringLiteral("yaxis 5 %1").arg(axis)};
    for (const qor::models::PlotAssignment& p : plan.plots)
        calls << QStringLiteral("plot %1").arg(p.plot);
    return calls.join(u'|');
}

void expectCancelAtEveryReport(const std::function<qor::ReadResult(RecordingBusy&, qor::SlotData&)>& read, QList<double>& reports)
{
    RecordingBusy whole;
    qor::SlotData wholeSlot;
    QVERIFY(read(whole, wholeSlot).ok());
    reports = whole.progress;
    QVERIFY(reports.size() >= 2);
    for (int cancelAt = 1; cancelAt <= reports.size(); ++cancelAt) {
        RecordingBusy busy;
        busy.cancelAtReport = cancelAt;
        qor::SlotData slot;
        const qor::ReadResult result = read(busy, slot);
        QCOMPARE(result.status.code(), qor::StatusCode::Cancelled);
        QVERIFY(result.logLines().isEmpty());
        QCOMPARE(busy.progress, reports.first(cancelAt));
        QVERIFY(busy.busyCancellable && !busy.busyShown);
        QCOMPARE(slot.RecordCount, 0);
    }
}
