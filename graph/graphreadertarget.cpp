#include "graphreadertarget.h"

#include "timeslider.h"
#include "trendgraph.h"

#include "shell/stringtable.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

namespace qor {

GraphReaderTarget::GraphReaderTarget(TrendGraph& graph, TimeSlider& slider, BusyNotice busy)
    : m_graph(graph)
    , m_slider(slider)
    , m_busy(busy)
{
}

void GraphReaderTarget::clearData()
{
    m_graph.clearData();
}

void GraphReaderTarget::setChartLength(qint32 length)
{
    m_graph.setChartLength(length);
}

void GraphReaderTarget::setAxisMinMax(GraphAxis axis, double minimum, double maximum)
{
    m_graph.axis(axis).setMinMax(minimum, maximum);
}

void GraphReaderTarget::plotXvsY(int plot, const TimePtr& x, const ColumnPtr& y)
{
    m_graph.plotXvsY(plot, x, y);
}

void GraphReaderTarget::chartXvsY(int plot, const TimePtr& x, const ColumnPtr& y)
{
    m_graph.chartXvsY(plot, x, y);
}

void GraphReaderTarget::setPlotYAxis(int plot, GraphAxis axis)
{
    m_graph.plot(plot).setYAxis(axis);
}

void GraphReaderTarget::setSliderRange(double minimum, double maximum)
{
    m_slider.axis().setMinMax(minimum, maximum);
}

void GraphReaderTarget::showBusyNotice(int dots)
{
    m_busy.caption->setText(stringEntry(GraphText::Converting) + QString(dots, u'.'));
    m_busy.progress->setValue(0);
    m_lastRepaint.invalidate();
    m_busy.frame->raise();
    m_busy.frame->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Lets the window repaint while a long read goes on, a few times a second (a repaint costs more
// than reading a buffer); user input waits until the read is done.
void GraphReaderTarget::setBusyProgress(double fraction)
{
    constexpr qint64 RepaintMilliseconds = 150;
    m_busy.progress->setValue(qRound(fraction * m_busy.progress->maximum()));
    if (m_lastRepaint.isValid() && m_lastRepaint.elapsed() < RepaintMilliseconds)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_lastRepaint.start();
}

void GraphReaderTarget::hideBusyNotice()
{
    m_busy.frame->hide();
    QApplication::restoreOverrideCursor();
}

} // namespace qor
