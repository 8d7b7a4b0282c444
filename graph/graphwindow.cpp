#include "graphwindow.h"

#include "graphlegend.h"
#include "graphstyle.h"
#include "griddensity.h"
#include "timeslider.h"
#include "trendgraph.h"
#include "widgetcolors.h"

#include "data/datetime.h"
#include "data/loadeddataset.h"
#include "data/recordingopener.h"
#include "shell/apppath.h"
#include "shell/bgrcolor.h"
#include "shell/graphsettings.h"
#include "shell/mainframe.h"
#include "shell/programstate.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"
#include "table/spreadgrid.h"
#include "table/tablewindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>

namespace qor {

GraphWindow::GraphWindow(int slot, QWidget* parent)
    : QWidget(parent)
    , m_slot(slot)
    , m_graph(new TrendGraph(this))
    , m_slider(new TimeSlider(this))
    , m_legend(new GraphLegend(AppPath(), this))
    , m_statusFrame(new QWidget(this))
    , m_busy(new QWidget(this))
    , m_busyText(new QLabel(m_busy))
    , m_progress(new QProgressBar(m_busy))
    , m_busyCancel(new QPushButton(m_busy))
    , m_picture(new QLabel(this))
    , m_exitButton(new QPushButton(QStringLiteral("Exit"), this))
    , m_scaler(this, QSizeF(ReferenceWidth, ReferenceHeight))
    , m_cursors({this, m_graph, m_slider, m_legend, slot, [this] { return absoluteTime(); }, [this] { return channelDisplayCode(); },
                 [this] { return m_relTimeValue; }, loadedData().slot(slot), zoomHistory(slot), legendState(), &interfaceAmPm})
    , m_busyDisplay({m_busy, m_busyText, m_progress, m_busyCancel})
{
    setObjectName(QStringLiteral("frmDataGraph_%1").arg(slot));
    setWindowTitle(QStringLiteral("그래프 보기"));
    buildControls();
    connectControls();
}

GraphWindow::~GraphWindow() = default;

void GraphWindow::buildControls()
{
    resize(qRound(ReferenceWidth / LayoutScaler::TwipsPerPixel), qRound(ReferenceHeight / LayoutScaler::TwipsPerPixel));
    for (int i = 0; i < 3; ++i) {
        QLabel*& line = m_infoLines[static_cast<std::size_t>(i)];
        line = new QLabel(this);
        line->setObjectName(QStringLiteral("Label4_%1").arg(i));
        line->setGeometry(8, 4 + i * 18, 725, 18);
    }
    m_graph->setObjectName(QStringLiteral("CWGraph1"));
    m_graph->setGeometry(0, 60, 740, 545);
    m_slider->setObjectName(QStringLiteral("CWSlide7"));
    m_slider->setGeometry(0, 608, 740, 52);
    m_slider->hide();
    m_legend->setGeometry(744, 60, 185, 600);

    m_statusFrame->setObjectName(QStringLiteral("Frame5"));
    m_statusFrame->hide();
    for (int i = 0; i < static_cast<int>(m_codes.size()); ++i) {
        m_codes[static_cast<std::size_t>(i)] = new QLabel(QStringLiteral("0"), m_statusFrame);
        m_codes[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("Label3_%1").arg(i));
    }
    m_codes[0]->setText(QStringLiteral("1"));

    m_busy->setObjectName(QStringLiteral("Frame1"));
    m_busy->setGeometry(220, 280, 300, 94);
    setBackColor(m_busy, QColor(0xFF, 0xFF, 0xE1));
    m_busyText->setObjectName(QStringLiteral("Label6"));
    m_busyText->setGeometry(10, 6, 280, 22);
    m_progress->setGeometry(10, 32, 280, 22);
    m_progress->setRange(0, 1000);
    m_busyCancel->setObjectName(QStringLiteral("BusyCancel"));
    m_busyCancel->setGeometry(200, 60, 90, 26);
    m_busyCancel->setFocusPolicy(Qt::NoFocus); // Escape presses it; the keyboard stays where it was
    m_busy->hide();

    m_picture->setObjectName(QStringLiteral("PicPrint"));
    m_picture->setGeometry(0, 60, 930, 600);
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_picture->hide();
    m_exitButton->setObjectName(QStringLiteral("Command1"));
    m_exitButton->setGeometry(850, 8, 75, 26);
    m_exitButton->hide();
}

void GraphWindow::connectControls()
{
    connect(m_legend, &GraphLegend::itemClicked, this, &GraphWindow::legendClicked);
    connect(m_legend->statisticsButton(), &QPushButton::clicked, this, &GraphWindow::RangeStatistics);
    m_legend->statisticsGrid()->installEventFilter(this);
    connect(m_exitButton, &QPushButton::clicked, this, &GraphWindow::RestoreGraphView);
    connect(m_graph, &TrendGraph::cursorMoved, this, [this](int cursor, double, double y, bool) { m_cursors.cursorMoved(cursor, y); });
    connect(m_graph, &TrendGraph::zoomCompleted, this, [this] { m_cursors.zoomCompleted(); });
    connect(m_graph, &TrendGraph::keyPressed, this, [this](int key) { m_cursors.keyPressed(key); });
    m_cursors.setSeriesNames([this] { showSeriesNames(); });
    connect(m_graph, &TrendGraph::wheelTurned, this, [this](int steps, double x, bool zoom) { m_cursors.wheelTurned(steps, x, zoom); });
    connect(m_slider, &TimeSlider::valueChanged, this, [this](double value) { m_cursors.sliderChanged(value); });
}

bool GraphWindow::eventFilter(QObject* watched, QEvent* event)
{
    const QWidget* grid = m_legend->statisticsGrid();
    const QEvent::Type type = event->type();
    if (watched == grid && (type == QEvent::Show || type == QEvent::Hide || type == QEvent::Move || type == QEvent::Resize)) {
        const bool shown = type != QEvent::Hide && grid->isVisibleTo(grid->parentWidget());
        m_graph->setCoveredArea(shown ? QRect(m_graph->mapFrom(grid->parentWidget(), grid->pos()), grid->size()) : QRect());
    }
    return QWidget::eventFilter(watched, event);
}

QLabel* GraphWindow::Label4(int line) const
{
    return m_infoLines.at(static_cast<std::size_t>(line));
}

QString GraphWindow::infoLine(int line) const
{
    return Label4(line)->text();
}

QString GraphWindow::Label3(int index) const
{
    return m_codes.at(static_cast<std::size_t>(index))->text();
}

void GraphWindow::setLabel3(int index, const QString& code)
{
    m_codes.at(static_cast<std::size_t>(index))->setText(code);
    if (index == 0)
        m_view.absoluteTime = code == u"1";
    else if (index == 1)
        m_view.dark = code == u"1";
    else if (index == 5)
        m_view.channelDisplay = static_cast<int>(code.toDouble());
    if (index <= 4)
        syncCheckMarks(index);
}

void GraphWindow::showViewCheckMarks()
{
    for (int index = 0; index <= 4; ++index)
        syncCheckMarks(index);
}

// The main window's check marks follow code `index` of the current slot's window; codes 0 and 1
// count as numbers, the others as texts, and a code outside "0" to "2" leaves the marks as they are.
void GraphWindow::syncCheckMarks(int index)
{
    MainFrame* frame = mainFrame();
    if (!frame || loadedData().FileNo != m_slot)
        return;
    const QString code = Label3(index);
    if (index == 0 || index == 1) {
        const bool on = code.toDouble() != 0;
        frame->setMenuChecked(index == 0 ? QStringLiteral("MT_AbsTime") : QStringLiteral("MV_Style_2"), on);
        frame->setMenuChecked(index == 0 ? QStringLiteral("MT_RelaTime") : QStringLiteral("MV_Style_1"), !on);
        return;
    }
    static const std::array<QStringList, 3> items = {QStringList{"MVL_Normal", "MVL_Middle", "MVL_Thick"},
                                                     QStringList{"MY_standard", "MY_Dense1", "MY_Dense2"},
                                                     QStringList{"MX_Standard", "MX_Dense1", "MX_Dense2"}};
    const QStringList& names = items[static_cast<std::size_t>(index - 2)];
    const qsizetype chosen = QStringList{"0", "1", "2"}.indexOf(code);
    if (chosen < 0)
        return;
    for (qsizetype i = 0; i < names.size(); ++i)
        frame->setMenuChecked(names[i], i == chosen);
}

void GraphWindow::load()
{
    if (!m_sizesSaved) {
        m_scaler.SaveSizes(); // the layout at the reference size, whatever size the window has later
        m_sizesSaved = true;
    }
    m_loaded = true;
    const GraphSettings& settings = graphSettings();
    applyPlotSettings();
    for (int k = 1; k <= TrendGraph::PlotCount; ++k) {
        m_graph->plot(k).setLineWidth(settings.PlotsWidth);
        m_graph->plot(k).setVisible(true);
        legendState().set(k, m_slot, true);
        m_legend->showChecked(k, true, fromBgr(settings.PlotColor[static_cast<std::size_t>(k - 1)]));
    }
    legendState().set(LegendState::SingleCursorItem, m_slot, false);
    legendState().set(LegendState::RangeCursorsItem, m_slot, false);
    setLabel3(2, QString::number(settings.PlotsWidth - 1));
    applyAxisColors();
    m_graph->setGraphFrameColor(fromBgr(settings.FrameColor));
    m_graph->setPlotAreaColor(m_graph->graphFrameColor());
    setTextColor(m_legend->header(), m_graph->axis(GraphAxis::Time).labelColor());
    m_slider->setBackColor(m_graph->graphFrameColor());
    applyStyleFromSettings();
    applyGrids();
}

void GraphWindow::applyPlotSettings()
{
    const GraphSettings& settings = graphSettings();
    for (int k = 1; k <= TrendGraph::PlotCount; ++k) {
        const QColor color = fromBgr(settings.PlotColor[static_cast<std::size_t>(k - 1)]);
        m_graph->plot(k).setColor(color);
        setTextColor(m_legend->itemText(k), color);
    }
    m_graph->axis(GraphAxis::Temperature).setMinMax(settings.PVRange.minimum, settings.PVRange.maximum);
}

void GraphWindow::applyAxisColors()
{
    const GraphSettings& settings = graphSettings();
    const std::array<std::pair<GraphAxis, qint32>, 3> colors = {
        {{GraphAxis::Time, settings.TimeColor}, {GraphAxis::Temperature, settings.TempColor}, {GraphAxis::Output, settings.OutputColor}}};
    for (const auto& [axisId, bgr] : colors) {
        TrendAxis& axis = m_graph->axis(axisId);
        axis.setLabelColor(fromBgr(bgr));
        if (axisId != GraphAxis::Time)
            axis.setCaptionColor(fromBgr(bgr));
        axis.setMajorTickColor(axis.labelColor());
    }
}

// A window whose time-axis colour is set starts in the dark style.
void GraphWindow::applyStyleFromSettings()
{
    const bool dark = graphSettings().TimeColor != 0;
    setDarkStyle(dark);
    applyBackground();
    for (QLabel* line : m_infoLines)
        setTextColor(line, dark ? fromBgr(ButtonFaceColor) : QColor(Qt::black));
}

void GraphWindow::applyBackground()
{
    const QColor back = darkStyle() ? graphstyle::DarkBack : graphstyle::LightBack;
    setBackColor(this, back);
    m_legend->setBackColor(back);
    // The range summary stands on the legend's back, so it takes the style's text colour.
    setTextColor(m_legend->rangeSummary(), darkStyle() ? QColor(Qt::white) : QColor(Qt::black));
}

// Grid densities from the settings; an unknown Y code leaves the Y axis as designed, an unknown X
// code the X axis.
void GraphWindow::applyGrids()
{
    const GraphSettings& settings = graphSettings();
    for (const GridDensity& d : GridDensities) {
        if (settings.YGridMode == d.settingsCode) {
            setLabel3(3, QString::fromUtf16(d.viewCode));
            m_graph->axis(GraphAxis::Temperature).setMajorDivisions(d.temperatureDivisions);
            m_graph->axis(GraphAxis::Temperature).setMinorGrid(false);
        }
    }
    for (const GridDensity& d : GridDensities) {
        if (settings.XGridMode == d.settingsCode) {
            setLabel3(4, QString::fromUtf16(d.viewCode));
            m_graph->axis(GraphAxis::Time).setMajorDivisions(d.timeDivisions);
            m_graph->axis(GraphAxis::Time).setMinorGrid(false);
        }
    }
}

void GraphWindow::showWholeRange()
{
    m_slider->hide();
    zoomHistory(m_slot).reset();
    const SlotData& file = loadedData().slot(m_slot);
    TrendAxis& time = m_graph->axis(GraphAxis::Time);
    if (!absoluteTime())
        time.setMinMax(0, m_relTimeValue);
    else if (file.FirstTime && file.LastTime)
        time.setMinMax(*file.FirstTime, *file.LastTime);
}

void GraphWindow::clearForFile()
{
    load(); // the settings in force, which may have changed since the window last showed a file
    m_legend->group(1)->hide();
    m_slider->hide();
    for (int item = 1; item <= TrendGraph::PlotCount; ++item)
        m_legend->setItemVisible(item, false);
    hideCursors();
    showUnzoomed();
}

void GraphWindow::showChannelLegend(int legendEntries)
{
    for (int item = 1; item <= legendEntries; ++item)
        m_legend->setItemVisible(item, true);
}

void GraphWindow::takeRecording(OpenedRecording& opened)
{
    loadedData().FileNo = static_cast<qint16>(m_slot);
    SlotData& file = loadedData().slot(m_slot);
    file = std::move(opened.slot);
    drawRecords();
    if (opened.channelDisplayCode)
        setChannelDisplayCode(*opened.channelDisplayCode);
    showChannelLegend(models::legendEntries(file.Kind, file.traits(), file.ModelOption));
}

void GraphWindow::drawRecords()
{
    const SlotData& file = loadedData().slot(m_slot);
    m_graph->clearData();
    m_graph->setChartLength(file.RecordCount);
    m_graph->axis(GraphAxis::Time).setMinMax(*file.FirstTime, *file.LastTime);
    m_slider->axis().setMinMax(*file.FirstTime, *file.LastTime);
    const GraphAxis valueAxis = file.Plan.plots4And5OnTemperatureAxis ? GraphAxis::Temperature : GraphAxis::Output;
    m_graph->plot(4).setYAxis(valueAxis);
    m_graph->plot(5).setYAxis(valueAxis);
    for (const models::PlotAssignment& plot : file.Plan.plots)
        m_graph->plotXvsY(plot.plot, file.TraceData.TimeValue, file.TraceData.column(plot.column));
}

void GraphWindow::showFile()
{
    for (int channel = 1; channel <= 3; ++channel)
        m_legend->group(channel)->show();
    ApplyGraphStrings();
    const SlotData& file = loadedData().slot(m_slot);
    showTimeBase(true, file.FirstTime.value(), file.LastTime.value());
    m_legend->show();
}

void GraphWindow::showTimeBase(bool absolute, double minimum, double maximum)
{
    const QString& format = absolute ? graphstyle::AbsoluteAxisFormat : graphstyle::RelativeAxisFormat;
    TrendAxis& time = m_graph->axis(GraphAxis::Time);
    time.setFormatString(format);
    time.setMinMax(minimum, maximum);
    m_slider->axis().setFormatString(format);
    m_slider->axis().setMinMax(minimum, maximum);
    m_slider->setValue(0);
    m_slider->hide();
    setLabel3(0, absolute ? QStringLiteral("1") : QStringLiteral("0"));
}

double GraphWindow::shownFrom() const
{
    return m_graph->axis(GraphAxis::Time).minimum();
}

double GraphWindow::shownTo() const
{
    return m_graph->axis(GraphAxis::Time).maximum();
}

// A span typed from its end to its start is shown the right way round.
void GraphWindow::showSpan(double from, double to)
{
    m_graph->axis(GraphAxis::Time).setMinMax(std::min(from, to), std::max(from, to));
}

void GraphWindow::hideCursors()
{
    m_cursors.HideSingleCursor();
    m_cursors.HideRangeCursors();
}

void GraphWindow::showUnzoomed()
{
    zoomHistory(m_slot).reset();
    m_slider->hide();
    m_graph->setTrackMode(TrendGraph::TrackNone);
    unsetCursor();
}

void GraphWindow::activate()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()); frame && !frame->isMaximized())
        frame->showMaximized();
    if (MainFrame* frame = mainFrame())
        frame->showSlotWindow(m_slot);
    if (!loadedData().slot(m_slot).FilePath.isEmpty())
        RestoreGraphView();
}

void GraphWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_scaler.ResizeControls();
    // The scaling knows only the grid's first place. A window out of sight keeps a shown grid too.
    if (!m_legend->statisticsGrid()->isHidden())
        m_legend->placeStatisticsGrid();
    MainFrame* frame = mainFrame();
    const auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    const bool bothMaximized = frame && frame->isMaximized() && sub && sub->isMaximized();
    if (frame && !frame->combinedViewActive() && !bothMaximized)
        RestoreGraphView();
}

// Closing the window closes its file: a report view ends, the slot is free for the next open and its
// records are released (plots, table and data set all let go of the columns), its table window
// unloads, and the commands follow: the window list forgets the file, and the last open graph window
// takes the file commands with it.
void GraphWindow::closeEvent(QCloseEvent* event)
{
    showGraphView();
    if (auto* table = qobject_cast<TableWindow*>(TableForm(m_slot)))
        table->Unload();
    hideCursors();
    showUnzoomed();
    m_graph->clearData();
    loadedData().slot(m_slot) = SlotData();
    m_loaded = false;
    event->accept();
    if (MainFrame* frame = mainFrame())
        frame->updateCommands();
}

GraphWindow* graphWindow(int slot)
{
    return dynamic_cast<GraphWindow*>(GraphForm(slot));
}

} // namespace qor
