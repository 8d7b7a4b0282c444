// Switching the time axis of an open recording: the relative-time command and the absolute-time
// command, each read the file again and redraw the graph. The recording is opened once through the
// open flow, as the user opens it; QOR_BENCH_LOG names it (bench/run.sh writes a 10-million-record
// file). Each iteration times one switch to relative time and one back, in wall-clock time.

#include "data/loadeddataset.h"
#include "shell/main/mainwindow.h"
#include "shell/programstate.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

// Seconds that `run` takes, events of the window included.
template <typename Run> double secondsOf(Run run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    QCoreApplication::processEvents();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

void BM_SwitchTimeAxis(benchmark::State& state)
{
    QString path;
    if (!benchFile(state, "QOR_BENCH_LOG", path))
        return;
    QTemporaryDir folder;
    useProgramFolder(folder);
    qor::MainWindow main;
    main.show();
    if (!main.openFile(path)) {
        state.SkipWithError("the recording could not be opened");
        return;
    }
    qor::ViewCommands& commands = main.viewCommands();
    double relative = 0;
    double absolute = 0;
    for (auto _ : state) {
        const double toRelative = secondsOf([&] { commands.MT_RelaTime(); });
        const double toAbsolute = secondsOf([&] { commands.MT_AbsTime(); });
        relative += toRelative;
        absolute += toAbsolute;
        state.SetIterationTime(toRelative + toAbsolute);
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["relative_s"] = relative / iterations;
    state.counters["absolute_s"] = absolute / iterations;
    state.counters["records"] = qor::loadedData().slot(1).RecordCount;
}
BENCHMARK(BM_SwitchTimeAxis)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
