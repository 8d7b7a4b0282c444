#include "combinedgraphwindow.h"

#include "graphcursor.h"
#include "graphlegend.h"
#include "timeslider.h"
#include "trendgraph.h"

#include "data/datetime.h"
#include "data/loadeddataset.h"
#include "data/timespan.h"
#include "shell/apppath.h"
#include "shell/errorlog.h"
#include "shell/mainframe.h"
#include "shell/programstate.h"
#include "shell/prompts.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"
#include "shell/zoomhistory.h"
#include "table/combinedtablewindow.h"
#include "table/spreadgrid.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>

#include <algorithm>
#include <new>

namespace qor {

namespace {

constexpr int SeriesPerFile = 3;
constexpr std::array<ColumnId, SeriesPerFile> FileSeries = {ColumnId::PV1, ColumnId::SP1, ColumnId::MV1};

using ScannedSet = CombinedGraphWindow::ScannedSet;
const QString BuildLogLabel = QStringLiteral("frmDataGraph_3.file_open");

CombinedTableWindow* combinedTable()
{
    return qobject_cast<CombinedTableWindow*>(TableForm(CombinedGraphWindow::Slot));
}

void tellUnreadable(QWidget* parent)
{
    prompts().message(parent, stringEntry(MDIFormText::InvalidDataFile), QStringLiteral("Error"));
}

// The stretch of the busy notice's bar that step `step` of `steps` fills, for a progress report that
// runs from `phaseStart` to `phaseEnd` of a whole CSV read: the scans of the files, then their loads.
struct Stretch {
    double from;
    double share;
};
Stretch stretchOf(int step, int steps, double phaseStart, double phaseEnd)
{
    const double share = 1.0 / steps;
    return {phaseStart + (phaseEnd - phaseStart) * step * share - phaseStart * share, share};
}

combined::ScannedFiles pointersTo(const ScannedSet& scanned)
{
    combined::ScannedFiles files{};
    for (std::size_t k = 0; k < files.size(); ++k)
        files[k] = scanned[k] ? &*scanned[k] : nullptr;
    return files;
}

} // namespace

QString combinedSeriesName(int file, int series)
{
    static const std::array<QString, SeriesPerFile> names = {QStringLiteral("PV"), QStringLiteral("SP"), QStringLiteral("MV")};
    return QStringLiteral("CH%1 ").arg(file + 1) + names.at(static_cast<std::size_t>(series));
}

CombinedGraphWindow::CombinedGraphWindow(QWidget* parent)
    : GraphWindow(Slot, parent)
    , m_buildButton(new QPushButton(QStringLiteral("Ch Combine"), this))
    , m_clearButton(new QPushButton(QStringLiteral("Clear"), this))
    , m_closeButton(new QPushButton(QStringLiteral("Exit"), this))
{
    setWindowTitle(QStringLiteral("CH ALL"));
    buildControls();
    cursors().setReadout([this](const GraphCursor& cursor) { writeReadout(cursor); });
}

CombinedGraphWindow::~CombinedGraphWindow() = default;

// The file buttons stand before the path lines; the other buttons at the top right, clear of the
// report view's Exit button.
void CombinedGraphWindow::buildControls()
{
    for (std::size_t k = 0; k < m_fileButtons.size(); ++k) {
        QPushButton*& button = m_fileButtons[k];
        button = new QPushButton(QStringLiteral("File #%1").arg(k + 1), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(k));
        button->setGeometry(8, 4 + static_cast<int>(k) * 18, 70, 18);
        Label4(static_cast<int>(k))->setGeometry(84, 4 + static_cast<int>(k) * 18, 500, 18);
        connect(button, &QPushButton::clicked, this, [this, k] { chooseFile(static_cast<int>(k)); });
    }
    m_buildButton->setObjectName(QStringLiteral("file_open"));
    m_buildButton->setGeometry(590, 8, 110, 26);
    m_clearButton->setObjectName(QStringLiteral("Command4"));
    m_clearButton->setGeometry(705, 8, 65, 26);
    m_closeButton->setObjectName(QStringLiteral("Command3"));
    m_closeButton->setGeometry(775, 8, 65, 26);
    connect(m_buildButton, &QPushButton::clicked, this, &CombinedGraphWindow::buildGraph);
    connect(m_clearButton, &QPushButton::clicked, this, &CombinedGraphWindow::clearFiles);
    connect(m_closeButton, &QPushButton::clicked, this, &CombinedGraphWindow::closeView);
}

void CombinedGraphWindow::load()
{
    loadedData().FileNo = Slot;
    loadedData().slot(Slot).PrintComment.clear();
    GraphWindow::load();
    ApplyGraphStrings();
    for (int k = 0; k < combined::FileCount; ++k)
        setChosenFile(k, QString());
    showSeriesNames();
    for (int channel = 1; channel <= 3; ++channel)
        legend()->group(channel)->show();
    hideCursors();
    showUnzoomed();
    showTimeBase(true, 0, 1);
    forgetFiles();
    m_buildButton->hide();
    m_clearButton->hide();
    showChoiceControls();
}

void CombinedGraphWindow::activate()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()); frame && !frame->isMaximized())
        frame->showMaximized();
}

bool CombinedGraphWindow::isBuilt() const
{
    return std::any_of(m_drawn.begin(), m_drawn.end(), [](const std::optional<TraceColumns>& drawn) { return drawn.has_value(); });
}

// Exit closes the window's frame in the main window, not only the window inside it.
void CombinedGraphWindow::closeView()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void CombinedGraphWindow::ApplyGraphStrings()
{
    applyLegendStrings();
    m_buildButton->setText(stringEntry(MDIFormText::CombineChannels));
}

void CombinedGraphWindow::showSeriesNames()
{
    for (int k = 0; k < combined::FileCount; ++k) {
        for (int s = 0; s < SeriesPerFile; ++s)
            legend()->itemText(k * SeriesPerFile + s + 1)->setText(combinedSeriesName(k, s));
    }
}

void CombinedGraphWindow::setChosenFile(int file, const QString& path)
{
    m_chosenFiles[static_cast<std::size_t>(file)] = path;
    Label4(file)->setText(path);
}

bool CombinedGraphWindow::hasFile(int file) const
{
    return !m_chosenFiles[static_cast<std::size_t>(file)].isEmpty();
}

int CombinedGraphWindow::chosenCount() const
{
    int chosen = 0;
    for (int k = 0; k < combined::FileCount; ++k)
        chosen += hasFile(k) ? 1 : 0;
    return chosen;
}

// The buttons and legend items for the files chosen so far: a file button for each chosen file and
// the next one, building and clearing from file 2 on, and the legend items of the chosen files
// (file 1's with file 2's, since one file alone is not combined).
void CombinedGraphWindow::showChoiceControls()
{
    for (int k = 1; k < combined::FileCount; ++k)
        m_fileButtons[static_cast<std::size_t>(k)]->setVisible(hasFile(k - 1));
    const bool twoFiles = hasFile(0) && hasFile(1);
    if (twoFiles) {
        m_buildButton->show();
        m_clearButton->show();
    }
    for (int k = 0; k < combined::FileCount; ++k) {
        const bool shown = k == 2 ? hasFile(2) : twoFiles;
        for (int s = 0; s < SeriesPerFile; ++s)
            legend()->setItemVisible(k * SeriesPerFile + s + 1, shown);
    }
}

void CombinedGraphWindow::chooseFile(int file)
{
    const QString path = prompts().openFile(this, AppPath(), {QStringLiteral("Data Files (*.csv)")}, 0);
    if (path.isEmpty())
        return;
    if (!path.toUpper().endsWith(QStringLiteral(".CSV"))) {
        tellUnreadable(this);
        return;
    }
    setChosenFile(file, path);
    showChoiceControls();
}

void CombinedGraphWindow::clearFiles()
{
    for (int k = 0; k < combined::FileCount; ++k)
        setChosenFile(k, QString());
    forgetFiles();
    for (int item = 1; item <= TrendGraph::PlotCount; ++item)
        legend()->setItemVisible(item, false);
    showChoiceControls();
    if (MainFrame* frame = mainFrame())
        frame->updateCommands();
}

void CombinedGraphWindow::forgetFiles()
{
    hideCursors();
    CWGraph1()->clearData();
    m_drawn = {};
    loadedData().slot(Slot) = SlotData();
    if (CombinedTableWindow* table = combinedTable())
        table->Load(); // its grids let go of the files' columns too
}

void CombinedGraphWindow::buildGraph()
{
    setChoiceEnabled(false);
    const Status built = build();
    setChoiceEnabled(true);
    if (MainFrame* frame = mainFrame())
        frame->updateCommands();
    if (built.code() == StatusCode::Refused) {
        prompts().message(this, built.message(), QStringLiteral("Error"));
        return;
    }
    logIfFailed(built, BuildLogLabel);
    if (!built.ok())
        tellUnreadable(this);
}

// Scans and draws the chosen files. A file that cannot be read or files that may not be combined
// leave the graph as it was, and a failure while drawing leaves it empty.
Status CombinedGraphWindow::build()
{
    bool drawing = false;
    try {
        // No Cancel here: the drawing replaces the graph file by file, so a build stopped half way
        // could not leave the graph as it was.
        BusyNotice busy(busyDisplay(), CsvBusyDots, Cancellable::No);
        const Result<ScannedSet> scanned = scanFiles(busy);
        if (!scanned.ok())
            return scanned.status();
        if (Status check = combined::modelCheck(pointersTo(*scanned)); !check.ok())
            return check;
        drawing = true;
        Status loaded = loadFiles(*scanned, busy);
        if (!loaded.ok())
            forgetFiles();
        return loaded;
    } catch (const std::bad_alloc&) {
        if (drawing)
            forgetFiles();
        return Status::failure(StatusCode::OutOfMemory, QStringLiteral("The combined files do not fit into memory."));
    }
}

// Each chosen file's count, model and first and last times, or why one cannot be read.
Result<CombinedGraphWindow::ScannedSet> CombinedGraphWindow::scanFiles(BusyNotice& busy)
{
    ScannedSet scanned;
    const int chosen = chosenCount();
    for (int k = 0, step = 0; k < combined::FileCount; ++k) {
        if (!hasFile(k))
            continue;
        const Stretch stretch = stretchOf(step++, chosen, 0, CsvCountedProgress);
        busy.setStretch(stretch.from, stretch.share);
        Result<combined::ScannedFile> file = combined::scanFile(m_chosenFiles[static_cast<std::size_t>(k)], &busy);
        if (!file.ok())
            return file.status();
        scanned[static_cast<std::size_t>(k)] = std::move(file).value();
    }
    return scanned;
}

Status CombinedGraphWindow::loadFiles(const ScannedSet& scanned, BusyNotice& busy)
{
    const combined::ScannedFiles files = pointersTo(scanned);
    const combined::CombinedSpan span = combined::combinedSpan(files);
    hideCursors();
    showUnzoomed();
    TrendGraph& graph = *CWGraph1();
    graph.clearData();
    m_drawn = {};
    graph.axis(GraphAxis::Time).setMinMax(span.firstTime, span.lastTime);
    CWSlide7()->axis().setMinMax(span.firstTime, span.lastTime);
    graph.setChartLength(span.chartLength);
    // Every file's process value and set point against the temperature axis, so that the files
    // compare.
    graph.plot(4).setYAxis(GraphAxis::Temperature);
    graph.plot(5).setYAxis(GraphAxis::Temperature);
    if (CombinedTableWindow* table = combinedTable())
        table->Load();
    SlotData& slot = loadedData().slot(Slot);
    const int chosen = chosenCount();
    for (int k = 0, step = 0; k < combined::FileCount; ++k) {
        if (!files[static_cast<std::size_t>(k)])
            continue;
        const Stretch stretch = stretchOf(step++, chosen, CsvCountedProgress, 1);
        busy.setStretch(stretch.from, stretch.share);
        if (Status loaded = combined::loadFile(*files[static_cast<std::size_t>(k)], slot, &busy); !loaded.ok())
            return loaded;
        drawFile(k);
    }
    slot.FirstTime = span.firstTime;
    slot.LastTime = span.lastTime;
    zoomHistory(Slot).reset();
    return {};
}

void CombinedGraphWindow::drawFile(int file)
{
    const SlotData& slot = loadedData().slot(Slot);
    const TraceColumns& records = slot.TraceData;
    for (int s = 0; s < SeriesPerFile; ++s)
        CWGraph1()->plotXvsY(file * SeriesPerFile + s + 1, records.TimeValue, records.column(FileSeries[static_cast<std::size_t>(s)]));
    m_drawn[static_cast<std::size_t>(file)] = records;
    if (CombinedTableWindow* table = combinedTable())
        table->fillFile(file, slot);
}

void CombinedGraphWindow::setChoiceEnabled(bool enabled)
{
    for (QPushButton* button : m_fileButtons)
        button->setEnabled(enabled);
    m_buildButton->setEnabled(enabled);
}

// For each drawn file, the values of its record nearest the cursor's time.
void CombinedGraphWindow::writeReadout(const GraphCursor& cursor)
{
    for (int k = 0; k < combined::FileCount; ++k) {
        const std::optional<TraceColumns>& records = m_drawn[static_cast<std::size_t>(k)];
        const PlotPoint nearest = CWGraph1()->plot(k * SeriesPerFile + 1).nearestPoint(cursor.x());
        if (!records || nearest.index < 0)
            continue;
        for (int s = 0; s < SeriesPerFile; ++s) {
            const ColumnPtr& column = records->column(FileSeries[static_cast<std::size_t>(s)]);
            legend()
                ->itemText(k * SeriesPerFile + s + 1)
                ->setText(combinedSeriesName(k, s) + QStringLiteral(" : ") + column->text(nearest.index));
        }
    }
}

void CombinedGraphWindow::RangeStatistics()
{
    const double from = CWGraph1()->cursor(4).x();
    const double to = CWGraph1()->cursor(5).x();
    if (!startRangeStatistics(from < to))
        return;
    int rows = 0;
    for (const std::optional<TraceColumns>& records : m_drawn)
        rows += records ? SeriesPerFile : 0;
    setStatisticsRowCount(rows);
    int row = 0;
    QStringList counts;
    for (int k = 0; k < combined::FileCount; ++k) {
        const std::optional<TraceColumns>& records = m_drawn[static_cast<std::size_t>(k)];
        if (!records)
            continue;
        const PlotSegment& drawn = CWGraph1()->plot(k * SeriesPerFile + 1).segments().front();
        const TimeSpan span = timeSpan(*drawn.x, drawn.ascending, drawn.first, drawn.end(), from, to);
        for (int s = 0; s < SeriesPerFile; ++s) {
            const ValueColumn& column = *records->column(FileSeries[static_cast<std::size_t>(s)]);
            writeStatisticsRow(++row, {combinedSeriesName(k, s), spanRange(column, span), spanMeasures(column, span)});
        }
        counts << QString::number(span.records());
    }
    finishRangeStatistics(datetime::wholeSecondsBetween(from, to), counts.join(QStringLiteral(" / ")));
}

// Closing the combined view gives the main window back to the slot windows, the first open file's
// graph window in front (or, without a file open, to the open and combine commands), and lets go of
// the files' records.
void CombinedGraphWindow::closeEvent(QCloseEvent* event)
{
    showGraphView();
    hideCursors();
    showUnzoomed();
    CWGraph1()->clearData();
    m_drawn = {};
    loadedData().slot(Slot) = SlotData();
    if (CombinedTableWindow* table = combinedTable())
        table->Unload();
    const int slotWithFile = SlotLoaded(1) ? 1 : SlotLoaded(2) ? 2 : 0;
    loadedData().FileNo = static_cast<qint16>(slotWithFile == 0 ? 1 : slotWithFile);
    if (MainFrame* frame = mainFrame()) {
        frame->setCombinedViewActive(false);
        if (slotWithFile)
            frame->showSlotWindow(slotWithFile);
    }
    event->accept();
}

} // namespace qor
