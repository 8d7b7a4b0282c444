// Reading speed and memory of the three readers on large recordings. Each benchmark reads one file
// named by an environment variable (QOR_BENCH_LOG, QOR_BENCH_CSV, QOR_BENCH_DAT) into a slot, and
// reports the records and bytes per second and the process's memory: peak resident set (VmHWM)
// and the anonymous memory held after the read (RssAnon: the program's own memory, which for a CSV
// file holds the file's bytes as read besides the numbers).
// bench/run.sh writes the files and runs each benchmark in a process of its own, so that the peak
// belongs to that reader alone.

#include "data/busynotice.h"
#include "data/loadeddataset.h"
#include "data/recordedfile.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>

#include <cstdlib>
#include <string>

namespace {

void readFile(benchmark::State& state, const char* variable)
{
    QString file;
    if (!benchFile(state, variable, file))
        return;
    const qor::models::FileKind kind = qor::models::fileKindOf(file);
    qor::NoBusyDisplay noWindow;
    qint32 records = 0;
    for (auto _ : state) {
        qor::SlotData slot;
        if (!qor::recordedfile::readHeaderInto(kind, file, slot).ok()) {
            state.SkipWithError("the header cannot be read");
            return;
        }
        const qor::ReadResult result = qor::recordedfile::readRecords(kind, noWindow, file, slot);
        if (!result.ok()) {
            state.SkipWithError(qPrintable(result.status.message()));
            return;
        }
        records = slot.RecordCount;
        state.counters["anon_after_read_MB"] = statusBytes("RssAnon") / 1e6;
        benchmark::DoNotOptimize(slot);
    }
    const double fileBytes = static_cast<double>(QFileInfo(file).size());
    state.counters["records_per_s"] =
        benchmark::Counter(static_cast<double>(records) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["MB_per_s"] = benchmark::Counter(fileBytes / 1e6 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["file_MB"] = fileBytes / 1e6;
    state.counters["peak_rss_MB"] = statusBytes("VmHWM") / 1e6;
    state.counters["peak_over_file"] = statusBytes("VmHWM") / fileBytes;
}

void BM_ReadLog(benchmark::State& state)
{
    readFile(state, "QOR_BENCH_LOG");
}

void BM_ReadCsv(benchmark::State& state)
{
    readFile(state, "QOR_BENCH_CSV");
}

void BM_ReadDat(benchmark::State& state)
{
    readFile(state, "QOR_BENCH_DAT");
}

} // namespace

BENCHMARK(BM_ReadLog)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ReadCsv)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ReadDat)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

BENCHMARK_MAIN();
