// The graph window's own commands: legend clicks, the range statistics, the return to the normal
// view and the texts of the string table.
#include "graphwindow.h"

#include "graphlegend.h"
#include "graphstyle.h"
#include "trendgraph.h"
#include "widgetcolors.h"

#include "data/datetime.h"
#include "data/loadeddataset.h"
#include "data/modelseries.h"
#include "data/rangemeasures.h"
#include "data/valuerange.h"
#include "shell/bgrcolor.h"
#include "shell/graphsettings.h"
#include "shell/mainframe.h"
#include "shell/programstate.h"
#include "shell/prompts.h"
#include "shell/stringtable.h"
#include "table/spreadgrid.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace qor {

QColor GraphWindow::legendTextColor() const
{
    return darkStyle() ? fromBgr(ButtonFaceColor) : graphstyle::LightCursorText;
}

void GraphWindow::legendClicked(int item)
{
    const bool wasOn = legendState().isOn(item, m_slot);
    if (wasOn) {
        m_legend->showChecked(item, false, graphstyle::UncheckedText);
    } else if (item <= TrendGraph::PlotCount) {
        m_legend->showChecked(item, true, fromBgr(graphSettings().PlotColor[static_cast<std::size_t>(item - 1)]));
    } else {
        const QColor color = legendTextColor();
        m_legend->showChecked(item, true, color);
        setTextColor(m_legend->readout(2), color);
        setTextColor(m_legend->readout(3), color);
        for (int k = 1; k <= 3; ++k) {
            m_graph->cursor(k).setColor(color);
            m_graph->annotation(k).setCaptionColor(color);
        }
    }
    if (item <= TrendGraph::PlotCount) {
        m_graph->plot(item).setVisible(!wasOn);
        legendState().set(item, m_slot, !wasOn);
    } else if (item == LegendState::SingleCursorItem) {
        m_cursors.HideRangeCursors();
        if (m_graph->cursor(1).isVisible())
            m_cursors.HideSingleCursor();
        else
            m_cursors.ShowSingleCursor();
    } else {
        m_cursors.HideSingleCursor();
        if (m_graph->cursor(2).isVisible()) {
            m_cursors.HideRangeCursors();
        } else {
            // Range cursors shown anew hold no statistics until the next Calculate.
            setStatisticsRowCount(0);
            m_cursors.ShowRangeCursors();
        }
    }
}

// The minimum and maximum of every series of the model between the range cursors. A series with
// no number in the range shows empty cells.
void GraphWindow::RangeStatistics()
{
    const qsizetype first = m_graph->cursor(4).pointIndex();
    const qsizetype last = m_graph->cursor(5).pointIndex();
    if (!startRangeStatistics(first < last))
        return;
    const SlotData& slot = loadedData().slot(m_slot);
    std::vector<models::NamedSeries> rows = models::readoutSeries(slot.traits(), slot.ModelOption, channelDisplayCode());
    // A channel the file does not hold (the second of a one-channel recorder) gets no empty rows.
    while (!rows.empty() && !slot.TraceData.column(rows.back().column)->isFilled())
        rows.pop_back();
    if (rows.empty() || last >= slot.RecordCount)
        return;
    setStatisticsRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const ValueColumn& column = *slot.TraceData.column(rows[r].column);
        writeStatisticsRow(static_cast<int>(r) + 1,
                           {stringEntry(rows[r].graphKey), numberRange(column, first, last), measureRange(column, first, last)});
    }
    const TimeColumn& times = *slot.TraceData.TimeValue;
    finishRangeStatistics(datetime::wholeSecondsBetween(times[static_cast<std::size_t>(first)], times[static_cast<std::size_t>(last)]),
                          QString::number(last - first + 1));
}

void GraphWindow::setStatisticsRowCount(int rows)
{
    m_legend->statisticsGrid()->setMaxRows(rows);
    m_statistics.resize(static_cast<std::size_t>(rows));
}

void GraphWindow::writeStatisticsRow(int row, StatisticsRow statistics)
{
    const std::array<QString, 7> texts = statisticsTexts(statistics);
    for (int col = 0; col < int(texts.size()); ++col)
        m_legend->statisticsGrid()->setText(col, row, texts[static_cast<std::size_t>(col)]);
    m_statistics[static_cast<std::size_t>(row - 1)] = std::move(statistics);
}

void GraphWindow::finishRangeStatistics(std::int64_t seconds, const QString& records)
{
    QLabel* summary = m_legend->rangeSummary();
    summary->setText(durationText(seconds) + QStringLiteral("\nn = ") + records);
    summary->setToolTip(stringEntry(ViewerText::Records) + QStringLiteral(": ") + records);
    summary->show();
    m_legend->placeStatisticsGrid();
}

bool GraphWindow::startRangeStatistics(bool ordered)
{
    SpreadGrid* grid = m_legend->statisticsGrid();
    if (!ordered) {
        grid->hide();
        m_legend->rangeSummary()->hide();
        prompts().message(this, stringEntry(GraphText::RangeCursorsReversed), QStringLiteral("Error"));
        return false;
    }
    grid->show();
    grid->setMaxCols(6);
    grid->setRow(0);
    grid->setCol(0);
    QString headers;
    for (StringKey key : {StringKey(DigitalText::Minimum), StringKey(DigitalText::Maximum), StringKey(ViewerText::Mean),
                          StringKey(ViewerText::StandardDeviation), StringKey(ViewerText::PeakToPeak), StringKey(ViewerText::Change)})
        headers += u'\t' + stringEntry(key);
    grid->setClip(headers);
    m_legend->placeStatisticsGrid();
    return true;
}

void GraphWindow::RestoreGraphView()
{
    showGraphView();
    if (MainFrame* frame = mainFrame())
        frame->updateCommands();
}

void GraphWindow::showGraphView()
{
    m_reportShown = false;
    m_legend->show();
    m_picture->hide();
    m_exitButton->hide();
    applyBackground();
}

void GraphWindow::showReportPage(const QImage& page)
{
    m_legend->hide();
    setBackColor(this, graphstyle::LightBack);
    m_picture->setGeometry(QRect(m_graph->geometry().topLeft(), page.deviceIndependentSize().toSize()));
    m_picture->setPixmap(QPixmap::fromImage(page));
    m_picture->show();
    m_picture->raise();
    m_exitButton->show();
    m_exitButton->raise();
    m_reportShown = true;
    if (MainFrame* frame = mainFrame())
        frame->updateCommands();
}

void GraphWindow::applyLegendStrings()
{
    m_legend->header()->setText(stringEntry(GraphText::Legend));
    m_legend->itemText(10)->setText(stringEntry(GraphText::Cursor));
    m_legend->itemText(11)->setText(stringEntry(GraphText::Range));
    m_legend->statisticsButton()->setText(stringEntry(GraphText::Calculate));
}

void GraphWindow::showSeriesNames()
{
    const SlotData& slot = loadedData().slot(m_slot);
    if (const std::optional<models::LegendCaptions> captions = models::legendCaptions(slot.traits(), slot.ModelOption)) {
        for (std::size_t i = 0; i < captions->items.size(); ++i)
            m_legend->itemText(static_cast<int>(i) + 1)->setText(captions->items[i].prefix + stringEntry(captions->items[i].graphKey));
    }
}

void GraphWindow::ApplyGraphStrings()
{
    applyLegendStrings();
    const SlotData& slot = loadedData().slot(m_slot);
    if (const std::optional<models::LegendCaptions> captions = models::legendCaptions(slot.traits(), slot.ModelOption))
        setWindowTitle(stringEntry(captions->titleKey) + u'[' + slot.FilePath.toUpper() + u']');
    showSeriesNames();
    const datetime::AmPm amPm = interfaceAmPm();
    auto timeText = [&](const std::optional<double>& t) { return t ? datetime::generalText(*t, amPm) : QString(); };
    Label4(0)->setText(stringEntry(FileinfoText::FileName) + QStringLiteral(" : ") + windowTitle());
    Label4(1)->setText(modelAndTimesLine(slot.ModelName(), timeText(slot.FirstTime), timeText(slot.LastTime)));
    Label4(2)->setText(stringEntry(FileinfoText::PrintComment) + QStringLiteral(" :  ") + slot.PrintComment);
}

} // namespace qor
