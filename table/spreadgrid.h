#pragma once

#include "gridselection.h"
#include "spreadmodel.h"

#include <QElapsedTimer>
#include <QTableView>
#include <QTimer>

namespace qor {

// The spreadsheet grid: rows 1 to MaxRows and columns 1 to MaxCols under a header row 0 and a
// header column 0, read-only, its cells read on demand from the arrays it shares with the data set.
// Time columns show the general date-and-time text with the designators its window hands it
// (English when none are given).
//
// The view is told of the rows on screen only (see SpreadModel), so the grid pages through its
// rows itself: the vertical scroll bar counts grid rows, and the selection, the active cell and the
// keyboard and mouse that move them work in grid rows, whatever page is shown.
class SpreadGrid final : public QTableView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpreadGrid)

  public:
    explicit SpreadGrid(QWidget* parent = nullptr, GridCells::AmPmSource amPm = {});

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
    // Shows the cells' texts again (the time texts follow the language) and fits the fitted columns
    // to them.
    void refreshTexts();
    // Sizes the column to the texts of the rows in view, and again whenever the font or the texts
    // change.
    void fitColumnToContents(int col);

    // The active cell; Action 1 scrolls to it and selects it. Clicks and keys move it.
    int Row() const { return m_row; }
    int Col() const { return m_col; }
    void setRow(int row) { m_row = row; }
    void setCol(int col) { m_col = col; }
    void setAction(int action);

    // The redraw switch: while off, the grid is not painted.
    bool ReDraw() const { return m_reDraw; }
    void setReDraw(bool on);

    // The selected block; all zero when nothing is selected.
    GridBlock block() const;
    // Selects the cells between two corners, the second becoming the active cell.
    void selectBlock(int col, int row, int col2, int row2);
    void clearBlock();
    void selectAll() override;

    // The first grid row on screen; rows are scrolled so that the last one can show in full.
    int topRow() const { return m_model->firstRow(); }
    void setTopRow(int row);

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void keyboardSearch(const QString& search) override;

  Q_SIGNALS:
    // A character key: a receiver that sets *KeyAscii to 0 swallows it.
    void KeyPress(int* KeyAscii);
    // The selected block changed (whole columns run from row 1 to MaxRows, whole rows from
    // column 1 to MaxCols).
    void BlockSelected(int col, int row, int col2, int row2);

  protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    using Extent = GridSelection::Extent;

    GridSize gridSize() const { return {MaxCols(), MaxRows()}; }

    void followFont();
    void fitColumn(int col);
    static int widestTimeText(const QFontMetrics& metrics, const datetime::AmPm& designators);
    void fitRowHeader();

    int rowsInView() const;
    void fitPage() { setTopRow(topRow()); }
    void showRow(int row, ScrollHint hint);
    void showActiveCell();
    void syncScrollBar();

    void select(QPoint cell, Extent extent, bool extend);
    void forgetSelection();
    void showSelection();
    void reportBlock();
    QPoint cellNearest(QPoint viewportPos) const;
    void headerPressed(Extent extent, int section);
    void headerEntered(Extent extent, int section);
    void dragScroll();

    SpreadModel* m_model;
    int m_row = 1;
    int m_col = 1;
    bool m_reDraw = true;
    QList<int> m_fittedColumns;

    GridSelection m_selection;
    GridBlock m_reported;

    bool m_holdPage = false; // the base view sets the vertical scroll bar in rows of its page
    bool m_dragging = false;
    QPoint m_dragPos;
    QTimer m_dragScroll;
    QString m_searchText;
    QElapsedTimer m_sinceSearchKey;
};

} // namespace qor
