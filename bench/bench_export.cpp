// Speed of the CSV export of a large .LOG file: reads the file named by QOR_BENCH_LOG into a slot as
// the open command does, then times writing it to the file named by QOR_BENCH_EXPORT_OUT, and
// reports records and output bytes per second. bench/export.sh writes the recording and runs it.

#include "data/busynotice.h"
#include "data/loadeddataset.h"
#include "data/recordedfile.h"
#include "output/csvexport.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>

#include <cstdlib>

namespace {

void BM_ExportLog(benchmark::State& state)
{
    const char* log = std::getenv("QOR_BENCH_LOG");
    const char* out = std::getenv("QOR_BENCH_EXPORT_OUT");
    if (!log || !out) {
        state.SkipWithError("QOR_BENCH_LOG and QOR_BENCH_EXPORT_OUT must name the recording and the output");
        return;
    }
    const QString file = QString::fromLocal8Bit(log);
    const QString output = QString::fromLocal8Bit(out);
    qor::SlotData slot;
    slot.FilePath = file;
    if (!qor::recordedfile::readHeaderInto(qor::models::FileKind::Log, file, slot).ok()) {
        state.SkipWithError("the header cannot be read");
        return;
    }
    qor::NoBusyDisplay noWindow;
    if (!qor::recordedfile::readRecords(qor::models::FileKind::Log, noWindow, file, slot).ok()) {
        state.SkipWithError("the recording cannot be read");
        return;
    }
    const qor::datetime::AmPm english{QStringLiteral("AM"), QStringLiteral("PM")};
    for (auto _ : state) {
        const qor::Status status = qor::output::FuncWriteExcelFile(slot, output, english);
        if (!status.ok()) {
            state.SkipWithError(qPrintable(status.message()));
            return;
        }
    }
    const double bytes = static_cast<double>(QFileInfo(output).size());
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["records_per_s"] = benchmark::Counter(slot.RecordCount * iterations, benchmark::Counter::kIsRate);
    state.counters["MB_per_s"] = benchmark::Counter(bytes / 1e6 * iterations, benchmark::Counter::kIsRate);
    state.counters["csv_MB"] = bytes / 1e6;
}

} // namespace

BENCHMARK(BM_ExportLog)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK_MAIN();
