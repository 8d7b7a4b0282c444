#include "spreadmodel.h"

#include <algorithm>

namespace qor {

QString columnLetters(int col)
{
    QString letters;
    for (; col > 0; col = (col - 1) / 26)
        letters.prepend(QChar(u'A' + (col - 1) % 26));
    return letters;
}

SpreadModel::SpreadModel(GridCells::AmPmSource amPm, QObject* parent)
    : QAbstractTableModel(parent)
    , m_cells(std::move(amPm))
{
}

void SpreadModel::setMaxRows(int rows)
{
    if (rows == m_cells.MaxRows())
        return;
    beginResetModel();
    m_cells.setMaxRows(rows);
    m_firstRow = std::clamp(m_firstRow, 1, std::max(m_cells.MaxRows(), 1));
    m_pageRows = rowsFrom(m_firstRow, m_capacity);
    endResetModel();
}

void SpreadModel::setMaxCols(int cols)
{
    if (cols == m_cells.MaxCols())
        return;
    beginResetModel();
    m_cells.setMaxCols(cols);
    endResetModel();
}

void SpreadModel::SetArray(int col, int row, ColumnPtr values)
{
    m_cells.SetArray(col, row, std::move(values));
    cellsChanged(col, row, col, m_cells.MaxRows());
}

void SpreadModel::SetArray(int col, int row, TimePtr times)
{
    m_cells.SetArray(col, row, std::move(times));
    cellsChanged(col, row, col, m_cells.MaxRows());
}

void SpreadModel::setText(int col, int row, const QString& text)
{
    m_cells.setText(col, row, text);
    cellsChanged(col, row, col, row);
}

void SpreadModel::Clip(QStringView text)
{
    const auto [lastCol, lastRow] = m_cells.Clip(text);
    if (lastCol >= 0)
        cellsChanged(0, 0, lastCol, lastRow);
}

void SpreadModel::refreshTexts()
{
    cellsChanged(0, 0, m_cells.MaxCols(), m_cells.MaxRows());
}

// The rows shrink, move and grow in separate steps, so that every row the view is told of stays
// what it was until it is told otherwise.
void SpreadModel::setPage(int firstRow, int capacity)
{
    firstRow = std::clamp(firstRow, 1, std::max(m_cells.MaxRows(), 1));
    m_capacity = std::max(capacity, 0);
    const int rows = rowsFrom(firstRow, m_capacity);
    setPageRows(std::min(m_pageRows, rows));
    movePage(firstRow);
    setPageRows(rows);
}

int SpreadModel::rowsFrom(int firstRow, int capacity) const
{
    return std::clamp(m_cells.MaxRows() - firstRow + 1, 0, capacity);
}

void SpreadModel::setPageRows(int rows)
{
    if (rows < m_pageRows) {
        beginRemoveRows({}, rows, m_pageRows - 1);
        m_pageRows = rows;
        endRemoveRows();
    } else if (rows > m_pageRows) {
        beginInsertRows({}, m_pageRows, rows - 1);
        m_pageRows = rows;
        endInsertRows();
    }
}

void SpreadModel::movePage(int firstRow)
{
    if (firstRow == m_firstRow)
        return;
    m_firstRow = firstRow;
    cellsChanged(0, firstRow, m_cells.MaxCols(), firstRow + m_pageRows - 1);
}

// Grid cells first..last, headers included; tells the view about the part of them it shows.
void SpreadModel::cellsChanged(int firstCol, int firstRow, int lastCol, int lastRow)
{
    lastCol = std::min(lastCol, m_cells.MaxCols());
    if (firstRow == 0 && lastCol >= 1)
        Q_EMIT headerDataChanged(Qt::Horizontal, std::max(firstCol, 1) - 1, lastCol - 1);
    const int top = std::max(firstRow, m_firstRow) - m_firstRow;
    const int bottom = std::min(lastRow, m_firstRow + m_pageRows - 1) - m_firstRow;
    if (top > bottom)
        return;
    if (firstCol == 0)
        Q_EMIT headerDataChanged(Qt::Vertical, top, bottom);
    if (lastCol >= 1 && std::max(firstCol, 1) <= lastCol)
        Q_EMIT dataChanged(index(top, std::max(firstCol, 1) - 1), index(bottom, lastCol - 1), {Qt::DisplayRole});
}

int SpreadModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_pageRows;
}

int SpreadModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cells.MaxCols();
}

QVariant SpreadModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return {};
    return m_cells.GetText(index.column() + 1, gridRow(index.row()));
}

QVariant SpreadModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    const bool horizontal = orientation == Qt::Horizontal;
    const int col = horizontal ? section + 1 : 0;
    const int row = horizontal ? 0 : gridRow(section);
    if (col > m_cells.MaxCols() || row > m_cells.MaxRows())
        return {};
    if (m_cells.hasOwnText(col, row))
        return m_cells.GetText(col, row);
    return horizontal ? columnLetters(col) : QString::number(row);
}

Qt::ItemFlags SpreadModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace qor
