#include "viewcommands.h"

#include "mainwindow.h"
#include "openflow.h"

#include "data/datetime.h"
#include "data/loadeddataset.h"
#include "data/parallel.h"
#include "data/recordedfile.h"
#include "data/recordingopener.h"
#include "graph/graphlegend.h"
#include "graph/graphstyle.h"
#include "graph/graphwindow.h"
#include "graph/griddensity.h"
#include "graph/timeslider.h"
#include "graph/trendgraph.h"
#include "graph/widgetcolors.h"
#include "shell/bgrcolor.h"
#include "shell/errorlog.h"
#include "shell/graphsettings.h"
#include "shell/programstate.h"
#include "shell/prompts.h"

#include <QAction>
#include <QLabel>

#include <array>
#include <exception>

namespace qor {

namespace {

const QString ZoomOutLogLabel = QStringLiteral("MDIFORM1.MV_ZoomOut");
const QString AbsTimeLogLabel = QStringLiteral("MDIFORM1.MT_AbsTime");
const QString RelaTimeLogLabel = QStringLiteral("MDIFORM1.MT_RelaTime");

// Below this many records per core, computing relative times on more cores costs more than it saves.
constexpr std::int64_t MinTimesPerPart = 1 << 20;

struct MenuCommand {
    const char* name;
    void (ViewCommands::*run)();
};

const std::array<MenuCommand, 15> MenuCommands = {{
    {"MV_Style_1", &ViewCommands::MV_Style_1},
    {"MV_Style_2", &ViewCommands::MV_Style_2},
    {"MVL_Normal", &ViewCommands::MVL_Normal},
    {"MVL_Middle", &ViewCommands::MVL_Middle},
    {"MVL_Thick", &ViewCommands::MVL_Thick},
    {"MX_Standard", &ViewCommands::MX_Standard},
    {"MX_Dense1", &ViewCommands::MX_Dense1},
    {"MX_Dense2", &ViewCommands::MX_Dense2},
    {"MY_standard", &ViewCommands::MY_standard},
    {"MY_Dense1", &ViewCommands::MY_Dense1},
    {"MY_Dense2", &ViewCommands::MY_Dense2},
    {"MV_ZoomIn", &ViewCommands::MV_ZoomIn},
    {"MV_ZoomOut", &ViewCommands::MV_ZoomOut},
    {"MT_AbsTime", &ViewCommands::MT_AbsTime},
    {"MT_RelaTime", &ViewCommands::MT_RelaTime},
}};

const std::array<std::pair<int, void (ViewCommands::*)()>, 3> ButtonCommands = {{
    {6, &ViewCommands::toggleStyle},
    {10, &ViewCommands::MV_ZoomIn},
    {11, &ViewCommands::MV_ZoomOut},
}};

// The settings in memory change with the file: a window that shows a new file, the settings window
// and a fresh start all see what the user chose last.
void writeSetting(QStringView section, QStringView key, qint64 value)
{
    saveSetting(section, key, QString::number(value));
}

// Per record the whole seconds since `first`, as a date serial counted from date zero.
TimePtr relativeTimes(const TimeColumn& times, double first)
{
    TimeColumn relative(times.size());
    runInParts(static_cast<std::int64_t>(times.size()), MinTimesPerPart, [&](int, std::int64_t from, std::int64_t count) {
        for (auto i = static_cast<std::size_t>(from); i < static_cast<std::size_t>(from + count); ++i)
            relative[i] = datetime::serialFromSeconds(datetime::wholeSecondsBetween(first, times[i]));
        return true;
    });
    return std::make_shared<const TimeColumn>(std::move(relative));
}

} // namespace

ViewCommands::ViewCommands(MainWindow& mainWindow)
    : m_main(mainWindow)
{
}

void ViewCommands::connectCommands()
{
    for (const MenuCommand& command : MenuCommands)
        QObject::connect(m_main.command(QString::fromLatin1(command.name)), &QAction::triggered, &m_main,
                         [this, run = command.run] { (this->*run)(); });
    for (const auto& [index, run] : ButtonCommands)
        QObject::connect(m_main.button(index), &QAction::triggered, &m_main, [this, run = run] { (this->*run)(); });
}

GraphWindow* ViewCommands::currentWindow() const
{
    return graphWindow(loadedData().FileNo);
}

void ViewCommands::MV_Style_1()
{
    applyStyle(false);
}

void ViewCommands::MV_Style_2()
{
    applyStyle(true);
}

void ViewCommands::toggleStyle()
{
    if (const GraphWindow* window = currentWindow())
        applyStyle(window->CWGraph1()->graphFrameColor() == graphstyle::LightBack);
}

void ViewCommands::applyStyle(bool dark)
{
    GraphWindow* window = currentWindow();
    if (!window)
        return;
    window->cursors().HideSingleCursor();
    window->cursors().HideRangeCursors();
    const QColor text = dark ? QColor(Qt::white) : QColor(Qt::black);
    TrendGraph& graph = *window->CWGraph1();
    window->setDarkStyle(dark);
    graph.setGraphFrameColor(dark ? graphstyle::DarkFrame : graphstyle::LightBack);
    graph.setPlotAreaColor(graph.graphFrameColor());
    for (int line = 0; line < 3; ++line)
        setTextColor(window->Label4(line), text);
    TrendAxis& time = graph.axis(GraphAxis::Time);
    time.setLabelColor(text);
    time.setMajorTickColor(text);
    setTextColor(window->legend()->header(), text);
    window->applyBackground(); // the window and the legend follow the style code
    window->CWSlide7()->setBackColor(dark ? graphstyle::DarkBack : graphstyle::LightBack);
    GraphSettings& settings = graphSettings();
    settings.TimeColor = toBgr(time.labelColor());
    settings.FrameColor = toBgr(graph.graphFrameColor());
    writeSetting(u"Color", u"TIME_Color", settings.TimeColor);
    writeSetting(u"Color", u"Frame_Color", settings.FrameColor);
}

void ViewCommands::setLineWidth(int width)
{
    GraphWindow* window = currentWindow();
    if (!window)
        return;
    window->setLabel3(2, QString::number(width - 1));
    for (int k = 1; k <= TrendGraph::PlotCount; ++k)
        window->CWGraph1()->plot(k).setLineWidth(width);
    graphSettings().PlotsWidth = static_cast<qint16>(width);
    writeSetting(u"Line", u"Plots_Width", width);
}

void ViewCommands::setGrid(GraphAxis axisId, std::size_t density)
{
    GraphWindow* window = currentWindow();
    if (!window)
        return;
    const bool time = axisId == GraphAxis::Time;
    const GridDensity& grid = GridDensities.at(density);
    window->setLabel3(time ? 4 : 3, QString::fromUtf16(grid.viewCode));
    TrendAxis& axis = window->CWGraph1()->axis(axisId);
    axis.setMajorDivisions(time ? grid.timeDivisions : grid.temperatureDivisions);
    axis.setMinorGrid(false);
    (time ? graphSettings().XGridMode : graphSettings().YGridMode) = static_cast<qint16>(grid.settingsCode);
    writeSetting(u"Line", time ? u"X_Grid" : u"Y_Grid", grid.settingsCode);
}

// A horizontal drag on the graph now chooses the range to zoom to; the window does the rest.
void ViewCommands::MV_ZoomIn()
{
    GraphWindow* window = currentWindow();
    if (!window)
        return;
    window->CWGraph1()->setTrackMode(TrendGraph::TrackZoomX);
    window->setCursor(Qt::SizeHorCursor);
}

void ViewCommands::MV_ZoomOut()
{
    GraphWindow* window = currentWindow();
    if (!window)
        return;
    try {
        zoomOut(*window);
    } catch (const std::exception& error) {
        WriteErrorLog(Status::unexpected(error).logLine(ZoomOutLogLabel));
    }
}

// The value axes go back to their full ranges; the time axis steps back one zoom depth, from the
// first depth to the whole recording.
void ViewCommands::zoomOut(GraphWindow& window)
{
    TrendGraph& graph = *window.CWGraph1();
    const ValueRange& range = graphSettings().PVRange;
    graph.axis(GraphAxis::Temperature).setMinMax(range.minimum, range.maximum);
    graph.axis(GraphAxis::Output).setMinMax(0, 100);
    ZoomHistory& zoom = zoomHistory(window.slot());
    if (zoom.depth() == 1) {
        window.showWholeRange();
    } else if (zoom.depth() > 1) {
        const auto [minimum, maximum] = zoom.stepBack().value();
        graph.axis(GraphAxis::Time).setMinMax(minimum, maximum);
        window.cursors().scrollOver(minimum, maximum);
    }
}

// Reads the slot's file again and shows it against clock time or against the time since its first
// record. The zoom history is dropped with the old axis: its ranges belong to the other time base.
void ViewCommands::switchTimeAxis(bool relative)
{
    GraphWindow* window = currentWindow();
    // The combined view has no file of its own to read again.
    if (!window || window->slot() > 2 || window->absoluteTime() != relative)
        return;
    window->hideCursors();
    try {
        if (!readAgain(*window, relative ? RelaTimeLogLabel : AbsTimeLogLabel))
            return;
        if (relative)
            showRelativeTime(*window);
        else
            showAbsoluteTime(*window);
    } catch (const std::exception& error) {
        const QString& label = relative ? RelaTimeLogLabel : AbsTimeLogLabel;
        reportFailure(*window, {Status::unexpected(error).logLine(label)});
    }
}

// The file is read into a record of its own: when it cannot be read any more (moved, rewritten
// into something else), the slot keeps showing what it had.
bool ViewCommands::readAgain(GraphWindow& window, const QString& logLabel)
{
    SlotData& data = loadedData().slot(window.slot());
    OpenedRecording opened = openRecording(data.FilePath, window.busyDisplay(), logLabel);
    for (const QString& line : opened.logLines)
        WriteErrorLog(line);
    if (!opened.opened()) {
        tellOpenFailure(&window, opened);
        return false;
    }
    opened.slot.PrintComment = data.PrintComment;
    data = std::move(opened.slot);
    window.showUnzoomed();
    window.drawRecords();
    return true;
}

void ViewCommands::reportFailure(GraphWindow& window, const QStringList& logLines)
{
    for (const QString& line : logLines)
        WriteErrorLog(line);
    prompts().detailedMessage(&window, ReadFailureMessage, ReadFailureTitle, logLines.join(u'\n'));
}

// The reader has drawn the plots against clock time already.
void ViewCommands::showAbsoluteTime(GraphWindow& window)
{
    const SlotData& data = loadedData().slot(window.slot());
    window.showTimeBase(true, data.FirstTime.value(), data.LastTime.value());
}

void ViewCommands::showRelativeTime(GraphWindow& window)
{
    const SlotData& data = loadedData().slot(window.slot());
    const double first = data.FirstTime.value();
    window.setRelTimeValue(datetime::serialFromSeconds(datetime::wholeSecondsBetween(first, data.LastTime.value())));
    m_relTimeArray = relativeTimes(*data.TraceData.TimeValue, first);
    for (const models::PlotAssignment& p : data.Plan.plots)
        window.CWGraph1()->plotXvsY(p.plot, m_relTimeArray, data.TraceData.column(p.column));
    window.showTimeBase(false, 0, window.relTimeValue());
}

} // namespace qor
