// Speed of the table window on large recordings held in memory: filling the record grid of 10
// million records (and the memory that costs beyond the columns), scrolling to a row, searching the
// time column for a minute, and the statistics of a block of 1 million rows of 9 columns.
//   build-bench/bin/bench_table

#include "shell/programstate.h"
#include "table/spreadgrid.h"
#include "table/tablewindow.h"

#include "data/loadeddataset.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <string>

namespace {

using namespace qor;

constexpr qsizetype TenMillion = 10'000'000;
constexpr qsizetype OneMillion = 1'000'000;
const double FirstTime = datetime::dateSerial(2015, 3, 1);

// A QOR1300 recording of `records` records, one a second, in slot 1.
void loadRecording(qsizetype records)
{
    SlotData& slot = loadedData().slot(1);
    slot.FilePath = QStringLiteral("/bench/QOR1300.LOG");
    slot.setModel(QStringLiteral("QOR1300"));
    slot.RecordCount = static_cast<qint32>(records);
    auto times = std::make_shared<TimeColumn>(static_cast<std::size_t>(records));
    for (qsizetype i = 0; i < records; ++i)
        (*times)[static_cast<std::size_t>(i)] = datetime::addSeconds(FirstTime, i);
    slot.TraceData.TimeValue = times;
    for (int k = 0; k < ColumnCount; ++k) {
        NumberArray values(static_cast<std::size_t>(records));
        for (qsizetype i = 0; i < records; ++i)
            values[static_cast<std::size_t>(i)] = (i * 7 + k * 13) % 20011 * 0.1 - 500;
        slot.TraceData.values[static_cast<std::size_t>(k)] = std::make_shared<const DoubleColumn>(std::move(values));
    }
}

// Anonymous memory that the first load of the window (and its first showing) took.
double firstLoadBytes = 0;

// A shown table window of slot 1 over a recording of `records` records.
TableWindow& windowOver(qsizetype records)
{
    static qsizetype loaded = 0;
    static std::unique_ptr<TableWindow> window;
    if (loaded != records) {
        window.reset();
        loadRecording(records);
        window = std::make_unique<TableWindow>(1);
        window->show();
        QApplication::processEvents();
        const double before = statusBytes("RssAnon");
        window->Load();
        QApplication::processEvents();
        firstLoadBytes = statusBytes("RssAnon") - before;
        loaded = records;
    }
    return *window;
}

void BM_FillTable(benchmark::State& state)
{
    TableWindow& window = windowOver(TenMillion);
    SpreadGrid& grid = *window.fpSpread1();
    const auto empty = [&grid] {
        grid.setMaxRows(0);
        grid.setMaxCols(0);
        QApplication::processEvents();
    };
    empty();
    const double before = statusBytes("RssAnon");
    for (auto _ : state) {
        state.PauseTiming();
        empty();
        state.ResumeTiming();
        window.FillTable();
        window.fpSpread1()->setReDraw(true);
        QApplication::processEvents();
    }
    state.counters["records"] = static_cast<double>(window.fpSpread1()->MaxRows());
    state.counters["growth_MB"] = (statusBytes("RssAnon") - before) / 1e6;
    state.counters["first_load_MB"] = firstLoadBytes / 1e6;
}
BENCHMARK(BM_FillTable)->Unit(benchmark::kMillisecond);

void BM_ScrollToRow(benchmark::State& state)
{
    SpreadGrid& grid = *windowOver(TenMillion).fpSpread1();
    qsizetype row = 1;
    for (auto _ : state) {
        row = (row * 7919 + 104729) % TenMillion + 1;
        grid.setRow(static_cast<int>(row));
        grid.setAction(1);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ScrollToRow)->Unit(benchmark::kMillisecond);

// Searches the time column for the minute of a record near the end, as the search window asks.
void searchNearTheEnd(benchmark::State& state, const SpreadGrid& grid)
{
    const QString needle = grid.GetText(1, static_cast<int>(TenMillion - 100)).chopped(3);
    int found = 0;
    for (auto _ : state) {
        found = grid.SearchCol(1, 1, grid.MaxRows(), needle, 2);
        benchmark::DoNotOptimize(found);
    }
    state.counters["row"] = found;
}

void BM_SearchColInOrder(benchmark::State& state)
{
    SpreadGrid& grid = *windowOver(TenMillion).fpSpread1();
    searchNearTheEnd(state, grid);
}
BENCHMARK(BM_SearchColInOrder)->Unit(benchmark::kMillisecond);

// Times out of order (the first record moved to the end) make the search scan.
void BM_SearchColScan(benchmark::State& state)
{
    SpreadGrid grid;
    auto times = std::make_shared<TimeColumn>(*loadedData().slot(1).TraceData.TimeValue);
    std::swap(times->front(), times->back());
    grid.setMaxCols(1);
    grid.setMaxRows(static_cast<int>(times->size()));
    grid.SetArray(1, 1, TimePtr(times));
    searchNearTheEnd(state, grid);
}
BENCHMARK(BM_SearchColScan)->Unit(benchmark::kMillisecond);

// Selecting rows 1 to 1 million (and one row fewer, so that every selection is a new block).
void BM_BlockStatistics(benchmark::State& state)
{
    SpreadGrid& grid = *windowOver(TenMillion).fpSpread1();
    int last = OneMillion;
    for (auto _ : state) {
        last = last == OneMillion ? OneMillion - 1 : OneMillion;
        grid.selectBlock(1, 1, 10, last);
    }
    state.counters["rows"] = last;
}
BENCHMARK(BM_BlockStatistics)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
