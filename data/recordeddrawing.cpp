#include "recordeddrawing.h"

namespace qor {

RecordedDrawing::RecordedDrawing(TraceGraph& notice)
    : m_notice(&notice)
{
}

void RecordedDrawing::replay(TraceGraph& graph) const
{
    for (const auto& step : m_steps)
        step(graph);
}

void RecordedDrawing::clearData()
{
    m_steps.emplace_back([](TraceGraph& g) { g.clearData(); });
}

void RecordedDrawing::setChartLength(qint32 length)
{
    m_steps.emplace_back([=](TraceGraph& g) { g.setChartLength(length); });
}

void RecordedDrawing::setAxisMinMax(GraphAxis axis, double minimum, double maximum)
{
    m_steps.emplace_back([=](TraceGraph& g) { g.setAxisMinMax(axis, minimum, maximum); });
}

void RecordedDrawing::plotXvsY(int plot, const TimePtr& x, const ColumnPtr& y)
{
    m_steps.emplace_back([=](TraceGraph& g) { g.plotXvsY(plot, x, y); });
}

void RecordedDrawing::chartXvsY(int plot, const TimePtr& x, const ColumnPtr& y)
{
    m_steps.emplace_back([=](TraceGraph& g) { g.chartXvsY(plot, x, y); });
}

void RecordedDrawing::setPlotYAxis(int plot, GraphAxis axis)
{
    m_steps.emplace_back([=](TraceGraph& g) { g.setPlotYAxis(plot, axis); });
}

void RecordedDrawing::setSliderRange(double minimum, double maximum)
{
    m_steps.emplace_back([=](TraceGraph& g) { g.setSliderRange(minimum, maximum); });
}

void RecordedDrawing::showBusyNotice(int dots, Cancellable cancellable)
{
    m_notice->showBusyNotice(dots, cancellable);
}

bool RecordedDrawing::setBusyProgress(double fraction)
{
    return m_notice->setBusyProgress(fraction);
}

void RecordedDrawing::hideBusyNotice()
{
    m_notice->hideBusyNotice();
}

} // namespace qor
