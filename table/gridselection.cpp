#include "gridselection.h"

#include <algorithm>

namespace qor {

bool GridSelection::press(QPoint cell, Extent extent, bool extend, GridSize size)
{
    if (size.isEmpty())
        return false;
    cell = {std::clamp(cell.x(), 1, size.cols), std::clamp(cell.y(), 1, size.rows)};
    if (!extend || !m_selected) {
        m_anchor = cell;
        m_extent = extent;
    }
    m_selected = true;
    m_active = cell;
    return true;
}

GridBlock GridSelection::block(GridSize size) const
{
    if (!m_selected)
        return {};
    GridBlock b{std::min(m_anchor.x(), m_active.x()), std::min(m_anchor.y(), m_active.y()), std::max(m_anchor.x(), m_active.x()),
                std::max(m_anchor.y(), m_active.y())};
    if (m_extent == Extent::Columns) {
        b.row = 1;
        b.row2 = size.rows;
    } else if (m_extent == Extent::Rows) {
        b.col = 1;
        b.col2 = size.cols;
    }
    return b;
}

std::optional<QPoint> GridSelection::keyTarget(int key, Qt::KeyboardModifiers modifiers, int pageRows, GridSize size) const
{
    const int col = std::clamp(m_active.x(), 1, std::max(size.cols, 1));
    const int row = std::clamp(m_active.y(), 1, std::max(size.rows, 1));
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    switch (key) {
    case Qt::Key_Up:
        return QPoint(col, row - 1);
    case Qt::Key_Down:
        return QPoint(col, row + 1);
    case Qt::Key_Left:
        return QPoint(col - 1, row);
    case Qt::Key_Right:
        return QPoint(col + 1, row);
    case Qt::Key_PageUp:
        return QPoint(col, row - pageRows);
    case Qt::Key_PageDown:
        return QPoint(col, row + pageRows);
    case Qt::Key_Home:
        return QPoint(1, control ? 1 : row);
    case Qt::Key_End:
        return QPoint(size.cols, control ? size.rows : row);
    default:
        return std::nullopt;
    }
}

} // namespace qor
