#include "recordinggraph.h"

#include <QTest>

void RecordingGraph::clearData()
{
    calls << QStringLiteral("clear");
    plots.clear();
}

void RecordingGraph::setChartLength(qint32 length)
{
    calls << QStringLiteral("length %1").arg(length);
}

void RecordingGraph::setAxisMinMax(qor::GraphAxis axis, double minimum, double maximum)
{
    calls << QStringLiteral("axis %1 %2 %3").arg(static_cast<int>(axis)).arg(minimum, 0, 'f', 6).arg(maximum, 0, 'f', 6);
}

void RecordingGraph::plotXvsY(int plot, const qor::TimePtr& x, const qor::ColumnPtr& y)
{
    calls << QStringLiteral("plot %1").arg(plot);
    plots[plot] = {QStringLiteral("plot"), x, y};
}

void RecordingGraph::chartXvsY(int plot, const qor::TimePtr& x, const qor::ColumnPtr& y)
{
    calls << QStringLiteral("chart %1").arg(plot);
    plots[plot] = {QStringLiteral("chart"), x, y};
}

void RecordingGraph::setPlotYAxis(int plot, qor::GraphAxis axis)
{
    calls << QStringLiteral("yaxis %1 %2").arg(plot).arg(static_cast<int>(axis));
    plotAxis[plot] = static_cast<int>(axis);
}

void RecordingGraph::setSliderRange(double minimum, double maximum)
{
    calls << QStringLiteral("slider %1 %2").arg(minimum, 0, 'f', 6).arg(maximum, 0, 'f', 6);
}

void RecordingGraph::showBusyNotice(int dots, qor::Cancellable cancellable)
{
    calls << QStringLiteral("busy %1").arg(dots);
    busyShown = true;
    busyCancellable = cancellable == qor::Cancellable::Yes;
}

bool RecordingGraph::setBusyProgress(double fraction)
{
    progress << fraction;
    return !cancelAtReport || progress.size() < *cancelAtReport;
}

void RecordingGraph::hideBusyNotice()
{
    calls << QStringLiteral("idle");
    busyShown = false;
}

QStringList RecordingGraph::drawingCalls() const
{
    QStringList out;
    for (const QString& call : calls) {
        if (!call.startsWith(u"busy") && call != u"idle")
            out << call;
    }
    return out;
}

void expectCancelAtEveryReport(const std::function<qor::ReadResult(RecordingGraph&, qor::SlotData&)>& read, QList<double>& reports)
{
    RecordingGraph whole;
    qor::SlotData wholeSlot;
    QVERIFY(read(whole, wholeSlot).ok());
    reports = whole.progress;
    QVERIFY(reports.size() >= 2);
    for (int cancelAt = 1; cancelAt <= reports.size(); ++cancelAt) {
        RecordingGraph graph;
        graph.cancelAtReport = cancelAt;
        qor::SlotData slot;
        const qor::ReadResult result = read(graph, slot);
        QCOMPARE(result.status.code(), qor::StatusCode::Cancelled);
        QVERIFY(result.logLines().isEmpty());
        QCOMPARE(graph.progress, reports.first(cancelAt));
        QVERIFY(graph.busyCancellable && !graph.busyShown);
        QVERIFY(graph.plots.empty());
        QCOMPARE(slot.RecordCount, 0);
    }
}
