#pragma once

#include "gridcells.h"

#include <QAbstractTableModel>

namespace qor {

// The item model of a SpreadGrid: its cells, read on demand, row r and column c of the model being
// grid row r + 1 and column c + 1; row 0 and column 0 of the grid are the header texts. Read-only.
// Every change goes through here so that the view hears of it.
class SpreadModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpreadModel)

public:
    explicit SpreadModel(GridCells::AmPmSource amPm, QObject* parent = nullptr);

    const GridCells& cells() const { return m_cells; }

    void setMaxRows(int rows);
    void setMaxCols(int cols);
    void SetArray(int col, int row, ColumnPtr values);
    void SetArray(int col, int row, TimePtr times);
    void setText(int col, int row, const QString& text);
    void Clip(QStringView text);
    // Every cell may read differently (the language of the time texts changed).
    void refreshTexts();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void cellsChanged(int firstCol, int firstRow, int lastCol, int lastRow);

    GridCells m_cells;
};

// The default label of a header column: A to Z, then AA, AB and so on.
QString columnLetters(int col);

} // namespace qor
