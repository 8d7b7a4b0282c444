#include "plotreducer.h"

#include <algorithm>
#include <cmath>

namespace qor {

namespace {

// Pixel coordinates are kept within this distance of the area, so that a line to a point far
// outside the visible range stays within what the raster engine handles.
constexpr double FarOutside = 1e6;

} // namespace

PlotReducer::PlotReducer(const PlotMapping& mapping)
    : m_mapping(mapping)
{
    if (!(m_mapping.xMaximum > m_mapping.xMinimum))
        m_mapping.xMaximum = m_mapping.xMinimum + 1;
    m_mapping.columns = std::max(1, m_mapping.columns);
}

std::vector<QPolygonF> PlotReducer::runs(const GraphPlot& plot, double yMinimum, double yMaximum)
{
    m_yMinimum = yMinimum;
    m_ySpan = yMaximum != yMinimum ? yMaximum - yMinimum : 1;
    // Segments appended one after another are joined, as the points of one plot.
    for (const PlotSegment& segment : plot.segments()) {
        if (segment.ascending)
            reduceOrdered(segment);
        else
            walkRecords(segment, segment.first, segment.end());
    }
    breakRun();
    std::vector<QPolygonF> done;
    done.swap(m_runs);
    return done;
}

void PlotReducer::buildLevels(const std::vector<const GraphPlot*>& plots)
{
    std::vector<const ValueColumn*> columns;
    for (const GraphPlot* plot : plots) {
        for (const PlotSegment& segment : plot->segments()) {
            if (segment.ascending) // as runs() reduces them
                columns.push_back(segment.y.get());
        }
    }
    buildMinMaxLevels(columns);
}

void PlotReducer::reduceOrdered(const PlotSegment& segment)
{
    const auto begin = segment.x->begin();
    const qsizetype firstShown = std::lower_bound(begin + segment.first, begin + segment.end(), m_mapping.xMinimum) - begin;
    const qsizetype endShown = std::upper_bound(begin + firstShown, begin + segment.end(), m_mapping.xMaximum) - begin;
    // One record beyond each end, so that the line runs on to the edge of the area.
    const qsizetype from = std::max(segment.first, firstShown - 1);
    const qsizetype to = std::min(segment.end(), endShown + 1);
    if (endShown - firstShown <= qsizetype{RecordsPerColumnWalked} * m_mapping.columns) {
        walkRecords(segment, from, to);
        return;
    }
    walkRecords(segment, from, firstShown);
    reduceColumns(segment, firstShown, endShown);
    walkRecords(segment, endShown, to);
}

const std::vector<qsizetype>& PlotReducer::columnStarts(const PlotSegment& segment, qsizetype first, qsizetype last)
{
    for (const ColumnStarts& known : m_columnStarts) {
        if (known.x == segment.x.get() && known.first == first && known.last == last)
            return known.starts;
    }
    const auto begin = segment.x->begin();
    const double step = (m_mapping.xMaximum - m_mapping.xMinimum) / m_mapping.columns;
    std::vector<qsizetype> starts{first};
    starts.reserve(static_cast<std::size_t>(m_mapping.columns) + 1);
    for (int column = 1; column < m_mapping.columns; ++column) {
        const double columnStart = m_mapping.xMinimum + step * column;
        starts.push_back(std::lower_bound(begin + starts.back(), begin + last, columnStart) - begin);
    }
    starts.push_back(last);
    return m_columnStarts.emplace_back(ColumnStarts{segment.x.get(), first, last, std::move(starts)}).starts;
}

void PlotReducer::reduceColumns(const PlotSegment& segment, qsizetype first, qsizetype last)
{
    const MinMaxLevels& levels = segment.y->minMaxLevels();
    const std::vector<qsizetype>& starts = columnStarts(segment, first, last);
    const qsizetype perColumn = (last - first) / m_mapping.columns;
    int level = -1;
    while (level + 1 < levels.levelCount() && MinMaxLevels::blockSize(level + 1) * CoarseBlocksPerColumn <= perColumn)
        ++level;
    const qsizetype block = level >= 0 ? MinMaxLevels::blockSize(level) : 1;
    // Inner boundaries move to the nearest block boundary; the two outer ones stay where they are.
    const auto boundary = [&](std::size_t column) {
        const qsizetype start = starts[column];
        return column == 0 || column + 1 == starts.size() ? start : (start + block / 2) / block * block;
    };
    for (std::size_t column = 0; column + 1 < starts.size(); ++column) {
        const qsizetype from = boundary(column);
        const qsizetype to = boundary(column + 1);
        if (to <= from)
            continue;
        const bool aligned = level >= 0 && from % block == 0 && to % block == 0;
        addReducedColumn(static_cast<double>(column), aligned ? levels.blocks(level, from / block, to / block) : levels.range(from, to));
    }
}

void PlotReducer::walkRecords(const PlotSegment& segment, qsizetype first, qsizetype last)
{
    const ValueColumn& y = *segment.y;
    for (qsizetype i = first; i < last; ++i) {
        const double value = y.number(i);
        const double x = segment.xAt(i);
        if (std::isnan(value) || std::isnan(x))
            breakRun();
        else
            addRecord(columnOf(x), value);
    }
}

double PlotReducer::columnOf(double x) const
{
    const double column = (x - m_mapping.xMinimum) / (m_mapping.xMaximum - m_mapping.xMinimum) * m_mapping.columns;
    return std::clamp(std::floor(column), -FarOutside, m_mapping.columns + FarOutside);
}

double PlotReducer::pixelX(double column) const
{
    return m_mapping.area.left() + (column + 0.5) * m_mapping.area.width() / m_mapping.columns;
}

double PlotReducer::pixelY(double value) const
{
    const QRectF& area = m_mapping.area;
    const double y = area.bottom() - (value - m_yMinimum) / m_ySpan * area.height();
    return std::clamp(y, area.top() - FarOutside, area.bottom() + FarOutside);
}

void PlotReducer::addRecord(double column, double value)
{
    if (m_columnOpen && column == m_column) {
        m_extremes.include(value);
        m_last = value;
        return;
    }
    flushColumn();
    m_columnOpen = true;
    m_column = column;
    m_first = m_last = value;
    m_extremes = {value, value};
}

void PlotReducer::addReducedColumn(double column, const MinMax& extremes)
{
    flushColumn();
    if (extremes.isEmpty()) {
        breakRun();
        return;
    }
    // The order of the records inside is unknown: start with the extreme nearer the line so far.
    const bool maximumFirst =
        !m_run.isEmpty() && std::abs(m_run.back().y() - pixelY(extremes.maximum)) < std::abs(m_run.back().y() - pixelY(extremes.minimum));
    emitPoint(column, maximumFirst ? extremes.maximum : extremes.minimum);
    emitPoint(column, maximumFirst ? extremes.minimum : extremes.maximum);
}

void PlotReducer::flushColumn()
{
    if (!m_columnOpen)
        return;
    m_columnOpen = false;
    const bool maximumFirst = std::abs(m_first - m_extremes.maximum) < std::abs(m_first - m_extremes.minimum);
    emitPoint(m_column, m_first);
    emitPoint(m_column, maximumFirst ? m_extremes.maximum : m_extremes.minimum);
    emitPoint(m_column, maximumFirst ? m_extremes.minimum : m_extremes.maximum);
    emitPoint(m_column, m_last);
}

void PlotReducer::emitPoint(double column, double value)
{
    const QPointF point(pixelX(column), pixelY(value));
    if (!m_run.isEmpty() && m_run.back() == point)
        return;
    m_run.append(point);
    if (m_run.size() == MaxRunPoints) {
        m_runs.push_back(m_run);
        m_run = QPolygonF{point};
    }
}

void PlotReducer::breakRun()
{
    flushColumn();
    if (!m_run.isEmpty())
        m_runs.push_back(std::move(m_run));
    m_run = QPolygonF();
}

} // namespace qor
