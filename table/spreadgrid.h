#pragma once

#include "spreadmodel.h"

#include <QTableView>

namespace qor {

// A block of grid cells, as the grid reports a selection: first column and row, last column and row,
// the first never beyond the last.
struct GridBlock {
    int col = 0;
    int row = 0;
    int col2 = 0;
    int row2 = 0;

    friend bool operator==(const GridBlock&, const GridBlock&) = default;
};

// The spreadsheet grid: rows 1 to MaxRows and columns 1 to MaxCols under a header row 0 and a
// header column 0, read-only, its cells read on demand from the arrays it shares with the data set.
// Time columns show the general date-and-time text in the interface language.
class SpreadGrid final : public QTableView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpreadGrid)

public:
    explicit SpreadGrid(QWidget* parent = nullptr);

    const GridCells& cells() const { return m_model->cells(); }
    SpreadModel* spreadModel() const { return m_model; }

    int MaxRows() const { return cells().MaxRows(); }
    int MaxCols() const { return cells().MaxCols(); }
    void setMaxRows(int rows);
    void setMaxCols(int cols);

    void setClip(QStringView text) { m_model->Clip(text); }
    void SetArray(int col, int row, ColumnPtr values) { m_model->SetArray(col, row, std::move(values)); }
    void SetArray(int col, int row, TimePtr times) { m_model->SetArray(col, row, std::move(times)); }
    QString GetText(int col, int row) const { return cells().GetText(col, row); }
    void setText(int col, int row, const QString& text) { m_model->setText(col, row, text); }
    // Flag 2 (the only one there is) matches the beginning of the cell text.
    int SearchCol(int col, int firstRow, int lastRow, QStringView text, int flags = 2) const;
    void refreshTexts() { m_model->refreshTexts(); }
    // Sizes the column to the texts of the rows in view, and again whenever the font changes.
    void fitColumnToContents(int col);

    // The active cell; Action 1 scrolls to it and makes it the current cell.
    int Row() const { return m_row; }
    int Col() const { return m_col; }
    void setRow(int row) { m_row = row; }
    void setCol(int col) { m_col = col; }
    void setAction(int action);

    // The redraw switch: while off, the grid is not painted.
    bool ReDraw() const { return m_reDraw; }
    void setReDraw(bool on);

    GridBlock block() const { return m_block; }

Q_SIGNALS:
    // A character key: a receiver that sets *KeyAscii to 0 swallows it.
    void KeyPress(int* KeyAscii);
    // The selected block changed (whole columns run from row 1 to MaxRows, whole rows from
    // column 1 to MaxCols).
    void BlockSelected(int col, int row, int col2, int row2);

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void followFont();
    void fitColumn(int col);
    void reportBlock();

    SpreadModel* m_model;
    int m_row = 1;
    int m_col = 1;
    bool m_reDraw = true;
    QList<int> m_fittedColumns;
    GridBlock m_block;
};

} // namespace qor
