// Composing the report page of a large recording: the range statistics over the range cursors, as
// the statistics button computes them, and the page printed into a PDF in memory, as the print
// command and --report compose it. The recording is opened once through the open flow; QOR_BENCH_LOG
// names it (bench/run.sh writes a 10-million-record file). Each iteration is timed in wall-clock
// time.

#include "data/loadeddataset.h"
#include "graph/graphcursor.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "output/reportprint.h"
#include "shell/graphsettings.h"
#include "shell/legendstate.h"
#include "shell/main/mainwindow.h"
#include "shell/programstate.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

void BM_ComposeReport(benchmark::State& state)
{
    QString path;
    if (!benchFile(state, "QOR_BENCH_LOG", path))
        return;
    QTemporaryDir folder;
    useProgramFolder(folder);
    qor::graphSettings().PrintInfo = {1, 1, 1, 1, 1};
    qor::MainWindow main;
    main.show();
    if (!main.openFile(path)) {
        state.SkipWithError("the recording could not be opened");
        return;
    }
    qor::GraphWindow& window = *qor::graphWindow(qor::loadedData().FileNo);
    window.legendClicked(qor::LegendState::RangeCursorsItem);
    qor::TrendGraph& graph = *window.CWGraph1();
    const qor::SlotData& slot = qor::loadedData().current();
    graph.cursor(2).setX(*slot.FirstTime);
    graph.cursor(3).setX(*slot.LastTime);
    for (int cursor : {2, 3})
        window.cursors().cursorMoved(cursor, 0);
    qint64 pdfBytes = 0;
    double statisticsSeconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        window.RangeStatistics();
        statisticsSeconds += static_cast<double>(timer.nsecsElapsed()) / 1e9;
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(1200);
        if (!qor::output::printReportPage(pdf, window).ok()) {
            state.SkipWithError("the page could not be printed");
            return;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        pdfBytes = buffer.size();
    }
    state.counters["records"] = slot.RecordCount;
    state.counters["statistics_ms"] = statisticsSeconds * 1e3 / static_cast<double>(state.iterations());
    state.counters["pdf_kB"] = static_cast<double>(pdfBytes) / 1e3;
}
BENCHMARK(BM_ComposeReport)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
