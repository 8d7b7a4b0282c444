// The combined view on large recordings: combining three CSV files (scan, model check, load, plots
// and table) against the CSV reader reading the same three files one after another and keeping
// them, in the same run; and a redraw of the combined graph against a slot window's with as many points.
// QOR_BENCH_COMBINED names the three files, separated by ";" (bench/combined.sh writes three
// 10-million-record QOR1100 files); QOR_BENCH_LOG names a 9-value recording of as many records for
// the slot window's redraw.

#include "data/busynotice.h"
#include "data/loadeddataset.h"
#include "data/recordedfile.h"
#include "graph/combinedgraphwindow.h"
#include "graph/trendgraph.h"
#include "shell/main/mainwindow.h"
#include "shell/programstate.h"
#include "shell/prompts.h"
#include "shell/slotwindows.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPushButton>
#include <QQueue>
#include <QTemporaryDir>

#include <array>
#include <cstdlib>

namespace {

const QSize GraphSize(1600, 900);

QStringList combinedFiles()
{
    const char* paths = std::getenv("QOR_BENCH_COMBINED");
    return paths ? QString::fromLocal8Bit(paths).split(u';', Qt::SkipEmptyParts) : QStringList();
}

// Answers every file dialog with the next of the benchmark's files.
class FileAnswers final : public qor::Prompts {
  public:
    explicit FileAnswers(QStringList files)
        : m_files(std::move(files))
    {
    }
    QString openFile(QWidget*, const QString&, const QStringList&, int) override
    {
        return m_files.isEmpty() ? QString() : m_files.dequeue();
    }
    QString saveFile(QWidget*, const QString&, const QStringList&, int) override { return {}; }
    std::optional<QColor> color(QWidget*, const QColor&) override { return std::nullopt; }
    void message(QWidget*, const QString& text, const QString&) override { qFatal("message: %s", qPrintable(text)); }
    bool print(QWidget*, QPrinter&) override { return false; }
    bool openDocument(const QString&) override { return false; }

  private:
    QQueue<QString> m_files;
};

double millisecondsOf(const std::function<void()>& run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double redrawMilliseconds(const qor::TrendGraph& graph)
{
    graph.controlImage(); // the first drawing builds the min/max levels
    double best = 1e9;
    for (int i = 0; i < 5; ++i)
        best = std::min(best, millisecondsOf([&] { benchmark::DoNotOptimize(graph.controlImage()); }));
    return best;
}

void BM_ReadThreeCsvFiles(benchmark::State& state)
{
    const QStringList files = combinedFiles();
    if (files.size() != 3) {
        state.SkipWithError("QOR_BENCH_COMBINED names no three files");
        return;
    }
    qor::NoBusyDisplay noWindow;
    for (auto _ : state) {
        // The three are kept, as the combined view keeps them, and let go of untimed.
        std::array<qor::SlotData, 3> slots;
        for (int k = 0; k < 3; ++k) {
            const QString& file = files[k];
            qor::SlotData& slot = slots[static_cast<std::size_t>(k)];
            if (!qor::recordedfile::readHeaderInto(qor::models::FileKind::Csv, file, slot).ok() ||
                !qor::recordedfile::readRecords(qor::models::FileKind::Csv, noWindow, file, slot).ok()) {
                state.SkipWithError("a file could not be read");
                return;
            }
        }
        state.PauseTiming();
        slots = {};
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReadThreeCsvFiles)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void BM_CombineThreeCsvFiles(benchmark::State& state)
{
    const QStringList files = combinedFiles();
    if (files.size() != 3) {
        state.SkipWithError("QOR_BENCH_COMBINED names no three files");
        return;
    }
    QTemporaryDir folder;
    useProgramFolder(folder);
    qor::MainWindow main;
    main.show();
    main.button(14)->trigger();
    auto* window = qobject_cast<qor::CombinedGraphWindow*>(qor::graphFormWidget(qor::CombinedGraphWindow::Slot));
    window->resize(GraphSize);
    for (auto _ : state) {
        state.PauseTiming();
        qor::setPrompts(std::make_unique<FileAnswers>(files));
        window->clearFiles();
        for (int k = 0; k < 3; ++k)
            window->fileButton(k)->click();
        state.ResumeTiming();
        window->file_open()->click();
        QCoreApplication::processEvents();
    }
    state.counters["redraw_ms"] = redrawMilliseconds(*window->CWGraph1());
}
BENCHMARK(BM_CombineThreeCsvFiles)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

// A slot window drawing a 9-value recording: as many points as three combined files.
void BM_RedrawSlotWindow(benchmark::State& state)
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
    auto* window = qor::graphFormWidget(qor::loadedData().FileNo);
    window->resize(GraphSize);
    const qor::TrendGraph& graph = *window->findChild<qor::TrendGraph*>();
    for (auto _ : state)
        state.counters["redraw_ms"] = redrawMilliseconds(graph);
}
BENCHMARK(BM_RedrawSlotWindow)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
