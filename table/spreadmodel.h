#pragma once

#include "gridcells.h"

#include <QAbstractTableModel>

namespace qor {

// The item model of a SpreadGrid: a page of its cells, read on demand. Model row r is grid row
// firstRow() + r and model column c is grid column c + 1; row 0 and column 0 of the grid are the
// header texts. Only the page is a model row, because a view keeps memory for every row it is told
// of, and a page of what fits on screen keeps that small whatever the grid holds. Read-only. Every
// change goes through here so that the view hears of it.
class SpreadModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpreadModel)

  public:
    explicit SpreadModel(GridCells::AmPmSource amPm, QObject* parent = nullptr);

    const GridCells& cells() const { return m_cells; }

    // Cells beyond a shrunk grid are forgotten, and so is the page's place when it falls outside.
    void setMaxRows(int rows);
    void setMaxCols(int cols);
    void SetArray(int col, int row, ColumnPtr values);
    void SetArray(int col, int row, TimePtr times);
    void setText(int col, int row, const QString& text);
    void Clip(QStringView text);
    // Every cell may read differently (the language of the time texts changed).
    void refreshTexts();

    // Shows up to `capacity` rows from grid row `firstRow` on (fewer where the grid ends).
    void setPage(int firstRow, int capacity);
    int firstRow() const { return m_firstRow; }
    int gridRow(int modelRow) const { return m_firstRow + modelRow; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    void cellsChanged(int firstCol, int firstRow, int lastCol, int lastRow);
    int rowsFrom(int firstRow, int capacity) const;
    void setPageRows(int rows);
    void movePage(int firstRow);

    GridCells m_cells;
    int m_firstRow = 1;
    int m_capacity = 0;
    int m_pageRows = 0;
};

// The default label of a header column: A to Z, then AA, AB and so on.
QString columnLetters(int col);

} // namespace qor
