// Drawing and cursor benchmarks of the trend graph: redraw of a 1600 x 900 graph showing 9 plots of
// 10 million records each (whole range with each line width, one hour, and wheel zoom steps in and
// out), placing a cursor, and building the min/max
// levels of a column with their memory as a fraction of the column's. Runs offscreen.
#include "data/datetime.h"
#include "data/minmaxlevels.h"
#include "graph/trendgraph.h"

#include <QApplication>
#include <QPainter>

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

using namespace qor;

namespace {

constexpr qsizetype Records = 10'000'000;

struct Recording {
    TimePtr time;
    std::vector<ColumnPtr> columns;
};

// Ten million records one second apart, nine columns of slow waves with noise.
const Recording& recording()
{
    static const Recording made = [] {
        Recording r;
        NumberArray time(static_cast<std::size_t>(Records));
        const std::int64_t start = datetime::secondsFromSerial(datetime::dateSerial(2024, 1, 1));
        for (qsizetype i = 0; i < Records; ++i)
            time[static_cast<std::size_t>(i)] = datetime::serialFromSeconds(start + i);
        r.time = std::make_shared<const TimeColumn>(std::move(time));
        std::mt19937 random(1);
        std::normal_distribution<double> noise(0, 2);
        for (int k = 0; k < TrendGraph::PlotCount; ++k) {
            NumberArray values(static_cast<std::size_t>(Records));
            for (qsizetype i = 0; i < Records; ++i)
                values[static_cast<std::size_t>(i)] = 50 + 40 * std::sin(static_cast<double>(i) / (20'000.0 + 3'000 * k)) + noise(random);
            r.columns.push_back(std::make_shared<const DoubleColumn>(std::move(values)));
        }
        return r;
    }();
    return made;
}

TrendGraph& graph()
{
    static TrendGraph* shown = [] {
        auto* g = new TrendGraph;
        g->resize(1600, 900);
        const Recording& r = recording();
        for (int k = 1; k <= TrendGraph::PlotCount; ++k)
            g->plotXvsY(k, r.time, r.columns[static_cast<std::size_t>(k - 1)]);
        return g;
    }();
    return *shown;
}

double medianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// One frame is what a repaint does: the whole control drawn into the surface it already has.
void redraw(benchmark::State& state, double from, double to)
{
    TrendGraph& g = graph();
    g.axis(GraphAxis::Time).setMinMax(from, to);
    QImage surface(g.size(), QImage::Format_RGB32);
    QPainter painter(&surface);
    g.paintGraph(painter, surface.rect()); // the first drawing builds the levels, see BM_BuildLevels
    std::vector<double> frames;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        g.paintGraph(painter, surface.rect());
        benchmark::ClobberMemory();
        frames.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["median_ms"] = medianOf(frames);
}

// The argument is the line width of every plot: 1 thin, 2 medium, 3 thick.
void BM_RedrawWholeRange(benchmark::State& state)
{
    const TimeColumn& time = *recording().time;
    const auto width = static_cast<int>(state.range(0));
    for (int k = 1; k <= TrendGraph::PlotCount; ++k)
        graph().plot(k).setLineWidth(width);
    redraw(state, time.front(), time.back());
    for (int k = 1; k <= TrendGraph::PlotCount; ++k)
        graph().plot(k).setLineWidth(1);
}

void BM_RedrawOneHour(benchmark::State& state)
{
    const double middle = (*recording().time)[Records / 2];
    redraw(state, middle, middle + 1.0 / 24);
}

// ControlImage: a frame drawn into a new picture of the control.
void BM_ControlImageWholeRange(benchmark::State& state)
{
    TrendGraph& g = graph();
    const TimeColumn& time = *recording().time;
    g.axis(GraphAxis::Time).setMinMax(time.front(), time.back());
    for (auto _ : state)
        benchmark::DoNotOptimize(g.controlImage());
}

// A wheel zoom step: the time axis a fifth narrower (or, past the deepest step, wider again) around a
// pointer, and the frame drawn anew.
void BM_WheelZoomStep(benchmark::State& state)
{
    TrendGraph& g = graph();
    const TimeColumn& time = *recording().time;
    QImage surface(g.size(), QImage::Format_RGB32);
    QPainter painter(&surface);
    g.axis(GraphAxis::Time).setMinMax(time.front(), time.back());
    g.paintGraph(painter, surface.rect());
    std::mt19937 random(3);
    std::uniform_real_distribution<double> pointer(0.1, 0.9);
    double factor = 0.8;
    std::vector<double> frames;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        TrendAxis& axis = g.axis(GraphAxis::Time);
        const double x = axis.minimum() + pointer(random) * (axis.maximum() - axis.minimum());
        if (axis.maximum() - axis.minimum() < 1.0 / 24)
            factor = 1.25;
        else if (axis.maximum() - axis.minimum() > 0.9 * (time.back() - time.front()))
            factor = 0.8;
        axis.setMinMax(std::max(time.front(), x - (x - axis.minimum()) * factor), std::min(time.back(), x + (axis.maximum() - x) * factor));
        g.paintGraph(painter, surface.rect());
        benchmark::ClobberMemory();
        frames.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["median_ms"] = medianOf(frames);
    state.counters["worst_ms"] = *std::max_element(frames.begin(), frames.end());
}

void BM_PlaceCursor(benchmark::State& state)
{
    TrendGraph& g = graph();
    const TimeColumn& time = *recording().time;
    std::mt19937 random(2);
    std::uniform_real_distribution<double> at(time.front(), time.back());
    GraphCursor& cursor = g.cursor(1);
    for (auto _ : state) {
        cursor.setX(at(random));
        benchmark::DoNotOptimize(cursor.pointIndex());
    }
}

void BM_BuildLevels(benchmark::State& state)
{
    const ValueColumn& column = *recording().columns.front();
    qsizetype bytes = 0;
    for (auto _ : state) {
        const MinMaxLevels levels(column);
        bytes = levels.byteSize();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["level_fraction_of_column"] =
        static_cast<double>(bytes) / static_cast<double>(column.size() * qsizetype{sizeof(double)});
}

} // namespace

BENCHMARK(BM_RedrawWholeRange)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RedrawOneHour)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ControlImageWholeRange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WheelZoomStep)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_PlaceCursor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildLevels)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
