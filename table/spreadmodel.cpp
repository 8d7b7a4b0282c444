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

// Grid cells first..last, headers included; tells the view about the part of them it shows.
void SpreadModel::cellsChanged(int firstCol, int firstRow, int lastCol, int lastRow)
{
    lastCol = std::min(lastCol, m_cells.MaxCols());
    lastRow = std::min(lastRow, m_cells.MaxRows());
    if (firstRow == 0 && lastCol >= 1)
        Q_EMIT headerDataChanged(Qt::Horizontal, std::max(firstCol, 1) - 1, lastCol - 1);
    if (firstCol == 0 && lastRow >= 1)
        Q_EMIT headerDataChanged(Qt::Vertical, std::max(firstRow, 1) - 1, lastRow - 1);
    if (lastCol >= 1 && lastRow >= 1 && std::max(firstCol, 1) <= lastCol && std::max(firstRow, 1) <= lastRow)
        Q_EMIT dataChanged(index(std::max(firstRow, 1) - 1, std::max(firstCol, 1) - 1), index(lastRow - 1, lastCol - 1), {Qt::DisplayRole});
}

int SpreadModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cells.MaxRows();
}

int SpreadModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cells.MaxCols();
}

QVariant SpreadModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return {};
    return m_cells.GetText(index.column() + 1, index.row() + 1);
}

QVariant SpreadModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    const bool horizontal = orientation == Qt::Horizontal;
    const int col = horizontal ? section + 1 : 0;
    const int row = horizontal ? 0 : section + 1;
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
