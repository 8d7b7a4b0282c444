#include "gridcells.h"

#include "data/numbertext.h"
#include "timetextsearch.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qor {

namespace {

constexpr double NoNumber = std::numeric_limits<double>::quiet_NaN();

qsizetype sizeOf(const ColumnPtr& values)
{
    return values ? values->size() : 0;
}

qsizetype sizeOf(const TimePtr& times)
{
    return times ? static_cast<qsizetype>(times->size()) : 0;
}

} // namespace

GridCells::GridCells(AmPmSource amPm)
    : m_amPm(amPm ? std::move(amPm) : AmPmSource([] { return datetime::amPmFor(u"ENG"); }))
{
}

bool GridCells::contains(int col, int row) const
{
    return col >= 0 && col <= m_maxCols && row >= 0 && row <= m_maxRows;
}

void GridCells::setMaxRows(int rows)
{
    rows = std::max(rows, 0);
    if (rows < m_maxRows) {
        for (int col = 0; col <= m_maxCols; ++col)
            forgetTexts(col, rows + 1, m_maxRows);
    }
    m_maxRows = rows;
}

void GridCells::setMaxCols(int cols)
{
    cols = std::max(cols, 0);
    for (int col = cols + 1; col <= m_maxCols; ++col)
        forgetTexts(col, 0, m_maxRows);
    m_maxCols = cols;
    m_sources.resize(static_cast<std::size_t>(cols) + 1);
    m_columnHasTexts.resize(static_cast<std::size_t>(cols) + 1, false);
}

const GridCells::Source* GridCells::source(int col) const
{
    if (col < 1 || col > m_maxCols)
        return nullptr;
    const Source& s = m_sources[static_cast<std::size_t>(col)];
    return std::holds_alternative<std::monostate>(s.data) ? nullptr : &s;
}

void GridCells::setSource(int col, int row, Source s, qsizetype size)
{
    if (col < 1 || col > m_maxCols || row < 1)
        return;
    const qsizetype lastRow = std::min<qsizetype>(row + size - 1, m_maxRows);
    forgetTexts(col, row, static_cast<int>(lastRow));
    s.firstRow = row;
    m_sources[static_cast<std::size_t>(col)] = std::move(s);
}

void GridCells::SetArray(int col, int row, ColumnPtr values)
{
    const qsizetype size = sizeOf(values);
    setSource(col, row, {std::move(values), row, std::nullopt}, size);
}

void GridCells::SetArray(int col, int row, TimePtr times)
{
    const qsizetype size = sizeOf(times);
    setSource(col, row, {std::move(times), row, std::nullopt}, size);
}

void GridCells::forgetTexts(int col, int firstRow, int lastRow)
{
    if (firstRow > lastRow || m_texts.isEmpty())
        return;
    if (firstRow >= 1 && (col >= static_cast<int>(m_columnHasTexts.size()) || !m_columnHasTexts[static_cast<std::size_t>(col)]))
        return;
    // Fewer texts than rows in the range: visit the texts, not the rows.
    for (auto it = m_texts.begin(); it != m_texts.end();) {
        const int c = static_cast<int>(it.key() >> 32);
        const int r = static_cast<int>(it.key() & 0xffffffffu);
        if (c == col && r >= firstRow && r <= lastRow)
            it = m_texts.erase(it);
        else
            ++it;
    }
}

std::optional<double> GridCells::time(int col, int row) const
{
    const Source* s = source(col);
    const TimePtr* times = s ? std::get_if<TimePtr>(&s->data) : nullptr;
    const qsizetype i = row - (s ? s->firstRow : 0);
    if (!times || i < 0 || i >= sizeOf(*times) || row > m_maxRows)
        return std::nullopt;
    return (**times)[static_cast<std::size_t>(i)];
}

std::optional<datetime::AmPm> GridCells::timeDesignators(int col) const
{
    const Source* s = source(col);
    if (!s || !std::holds_alternative<TimePtr>(s->data))
        return std::nullopt;
    return m_amPm();
}

QString GridCells::arrayText(const Source& s, int row) const
{
    const qsizetype i = row - s.firstRow;
    if (i < 0)
        return {};
    if (const auto* values = std::get_if<ColumnPtr>(&s.data))
        return i < (*values)->size() ? (*values)->text(i) : QString();
    const TimePtr& times = std::get<TimePtr>(s.data);
    return i < sizeOf(times) ? datetime::generalText((*times)[static_cast<std::size_t>(i)], m_amPm()) : QString();
}

bool GridCells::hasOwnText(int col, int row) const
{
    return m_texts.contains(key(col, row));
}

QString GridCells::GetText(int col, int row) const
{
    if (!contains(col, row))
        return {};
    if (row == 0 || col == 0 || m_columnHasTexts[static_cast<std::size_t>(col)]) {
        const auto it = m_texts.constFind(key(col, row));
        if (it != m_texts.cend())
            return *it;
    }
    const Source* s = source(col);
    return s && row >= 1 ? arrayText(*s, row) : QString();
}

void GridCells::setText(int col, int row, const QString& text)
{
    if (!contains(col, row))
        return;
    m_texts.insert(key(col, row), text);
    if (row >= 1)
        m_columnHasTexts[static_cast<std::size_t>(col)] = true;
}

std::pair<int, int> GridCells::Clip(QStringView text)
{
    std::pair<int, int> last{-1, -1};
    int row = 0;
    for (QStringView line : text.split(u'\r')) {
        if (row > 0 && line.startsWith(u'\n'))
            line = line.mid(1);
        int col = 0;
        for (QStringView cell : line.split(u'\t')) {
            if (contains(col, row)) {
                setText(col, row, cell.toString());
                last = {std::max(last.first, col), row};
            }
            ++col;
        }
        ++row;
    }
    return last;
}

double GridCells::number(int col, int row) const
{
    if (!contains(col, row) || row == 0 || col == 0)
        return NoNumber;
    if (m_columnHasTexts[static_cast<std::size_t>(col)] && hasOwnText(col, row))
        return numbers::parseNumber(QStringView(m_texts.value(key(col, row)))).value_or(NoNumber);
    const Source* s = source(col);
    if (!s)
        return NoNumber;
    const auto* values = std::get_if<ColumnPtr>(&s->data);
    const qsizetype i = row - s->firstRow;
    // Time texts are dates, never numbers.
    return values && i >= 0 && i < (*values)->size() ? (*values)->number(i) : NoNumber;
}

int GridCells::SearchCol(int col, int firstRow, int lastRow, QStringView text) const
{
    firstRow = std::max(firstRow, 1);
    lastRow = std::min(lastRow, m_maxRows);
    if (col < 0 || col > m_maxCols || firstRow > lastRow)
        return -1;
    if (text.isEmpty()) // every text begins with the empty text
        return firstRow;
    const Source* s = source(col);
    const bool ownTexts = m_columnHasTexts[static_cast<std::size_t>(col)];
    if (!s || ownTexts || !std::holds_alternative<TimePtr>(s->data))
        return scanTexts(col, firstRow, lastRow, text);
    return searchTimes(*s, firstRow, lastRow, text);
}

int GridCells::searchTimes(const Source& s, int firstRow, int lastRow, QStringView text) const
{
    const TimeColumn& times = *std::get<TimePtr>(s.data);
    if (!s.inOrder)
        s.inOrder = std::is_sorted(times.begin(), times.end());
    const qsizetype first = std::max(firstRow, s.firstRow) - s.firstRow;
    const qsizetype last = std::min<qsizetype>(lastRow - s.firstRow, sizeOf(std::get<TimePtr>(s.data)) - 1);
    const qsizetype found = TimeTextSearch(text, m_amPm()).first(times, first, last, *s.inOrder);
    return found >= 0 ? static_cast<int>(found + s.firstRow) : -1;
}

int GridCells::scanTexts(int col, int firstRow, int lastRow, QStringView text) const
{
    for (int row = firstRow; row <= lastRow; ++row) {
        if (GetText(col, row).startsWith(text))
            return row;
    }
    return -1;
}

} // namespace qor
