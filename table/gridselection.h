#pragma once

#include <QPoint>
#include <Qt>

#include <optional>

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

// How many columns and rows a grid has, its headers not counted.
struct GridSize {
    int cols = 0;
    int rows = 0;

    bool isEmpty() const { return cols < 1 || rows < 1; }
};

// The selection of a spreadsheet grid, in grid cells (column, row), whatever part of the grid is on
// screen: an anchor where it began and an active corner that clicks and keys move. The grid's size
// is handed in with every call, so that a selection never outlives a change of it unnoticed.
class GridSelection {
  public:
    // What the selection spans beyond its corners: whole columns run from row 1 to the last row,
    // whole rows from column 1 to the last column.
    enum class Extent { Cells, Columns, Rows };

    bool isEmpty() const { return !m_selected; }
    QPoint active() const { return m_active; }
    Extent extent() const { return m_extent; }
    // Whether there is a selection and it is of that extent.
    bool hasExtent(Extent extent) const { return m_selected && m_extent == extent; }

    // Makes `cell`, brought into the grid, the active corner: it starts a new selection there, or
    // with `extend` it becomes the far corner of the current one (whose extent it keeps). An empty
    // grid has no cell to select: false, and nothing changes.
    bool press(QPoint cell, Extent extent, bool extend, GridSize size);
    // The active corner stays where it was, for the keys to start from.
    void clear() { m_selected = false; }

    // The selected block; all zero when nothing is selected.
    GridBlock block(GridSize size) const;

    // Where a movement key takes the active corner, `pageRows` being the rows a page moves; nothing
    // for other keys. The target may lie beyond the grid: press() brings it back in.
    std::optional<QPoint> keyTarget(int key, Qt::KeyboardModifiers modifiers, int pageRows, GridSize size) const;

  private:
    bool m_selected = false;
    QPoint m_anchor;       // where the selection began
    QPoint m_active{1, 1}; // the selection's other corner
    Extent m_extent = Extent::Cells;
};

} // namespace qor
