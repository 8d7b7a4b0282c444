#include "spreadgrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>

namespace qor {

namespace {

constexpr int ActionActiveCell = 1;
constexpr int DragScrollMs = 40;

} // namespace

SpreadGrid::SpreadGrid(QWidget* parent, GridCells::AmPmSource amPm)
    : QTableView(parent)
    , m_model(new SpreadModel(std::move(amPm), this))
{
    setModel(m_model);
    setEditTriggers(NoEditTriggers);
    // The grid keeps its selection in grid rows itself and shows it on the page through the
    // selection model; the base view's own selecting and scrolling would work in page rows.
    setSelectionMode(NoSelection);
    setAutoScroll(false);
    setTabKeyNavigation(false);
    setVerticalScrollMode(ScrollPerItem);
    // Rows keep one height, so that a page is as many rows as the viewport holds.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    followFont();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setResizeContentsPrecision(0);
    connect(horizontalHeader(), &QHeaderView::sectionPressed, this, [this](int section) { headerPressed(Extent::Columns, section); });
    connect(horizontalHeader(), &QHeaderView::sectionEntered, this, [this](int section) { headerEntered(Extent::Columns, section); });
    connect(verticalHeader(), &QHeaderView::sectionPressed, this, [this](int section) { headerPressed(Extent::Rows, section); });
    connect(verticalHeader(), &QHeaderView::sectionEntered, this, [this](int section) { headerEntered(Extent::Rows, section); });
    connect(m_model, &QAbstractItemModel::modelReset, this, &SpreadGrid::forgetSelection);
    m_dragScroll.setInterval(DragScrollMs);
    connect(&m_dragScroll, &QTimer::timeout, this, &SpreadGrid::dragScroll);
}

void SpreadGrid::setMaxRows(int rows)
{
    m_model->setMaxRows(rows);
    fitRowHeader();
    fitPage();
}

void SpreadGrid::setMaxCols(int cols)
{
    m_model->setMaxCols(cols);
    fitPage();
}

int SpreadGrid::SearchCol(int col, int firstRow, int lastRow, QStringView text, int flags) const
{
    Q_UNUSED(flags)
    return cells().SearchCol(col, firstRow, lastRow, text);
}

void SpreadGrid::setAction(int action)
{
    if (action != ActionActiveCell || m_row < 1 || m_row > MaxRows() || MaxCols() < 1)
        return;
    const int col = std::clamp(m_col, 1, MaxCols());
    showRow(m_row, PositionAtTop);
    selectBlock(col, m_row, col, m_row);
    showActiveCell();
}

void SpreadGrid::setReDraw(bool on)
{
    m_reDraw = on;
    setUpdatesEnabled(on);
    if (on)
        viewport()->update();
}

// Rows are as high as the font needs, and fitted columns are fitted again, so that a stretched
// window's larger font still fits. (Other columns follow the header's font by themselves.)
void SpreadGrid::followFont()
{
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    for (int col : m_fittedColumns)
        fitColumn(col);
    fitRowHeader();
    fitPage();
}

void SpreadGrid::refreshTexts()
{
    m_model->refreshTexts();
    for (int col : m_fittedColumns)
        fitColumn(col);
}

void SpreadGrid::fitColumnToContents(int col)
{
    if (!m_fittedColumns.contains(col))
        m_fittedColumns.append(col);
    fitColumn(col);
}

// Measures the header and a sample of rows (the first hundred and the last), never every row:
// a column of ten million times would take minutes to measure in full. A time column is fitted to
// the widest text its times can take, whichever rows hold them.
void SpreadGrid::fitColumn(int col)
{
    constexpr int SampleRows = 100;
    const QFontMetrics metrics(font());
    const int margins = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    int width = metrics.horizontalAdvance(GetText(col, 0)) + 16;
    if (const std::optional<datetime::AmPm> designators = cells().timeDesignators(col))
        width = std::max(width, widestTimeText(metrics, *designators) + margins);
    const int rows = MaxRows();
    for (int row = 1; row <= rows; row = row < SampleRows ? row + 1 : std::max(row + 1, rows))
        width = std::max(width, metrics.horizontalAdvance(GetText(col, row)) + margins);
    setColumnWidth(col - 1, width);
}

// The width of "yyyy-mm-dd AMPM hh:mm:ss" with every digit at the font's widest digit, for the
// wider designator.
int SpreadGrid::widestTimeText(const QFontMetrics& metrics, const datetime::AmPm& designators)
{
    QChar widestDigit = u'0';
    for (char16_t digit = u'1'; digit <= u'9'; ++digit) {
        if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widestDigit))
            widestDigit = QChar(digit);
    }
    int width = 0;
    for (const QString& designator : {designators.am, designators.pm}) {
        QString text = QStringLiteral("0000-00-00 %1 00:00:00").arg(designator);
        for (QChar& c : text) {
            if (c == u'0')
                c = widestDigit;
        }
        width = std::max(width, metrics.horizontalAdvance(text));
    }
    return width;
}

// The row header measures the rows of its page only; the widest row number is kept in view
// wherever the page is, so that the header does not change width while scrolling.
void SpreadGrid::fitRowHeader()
{
    QHeaderView* header = verticalHeader();
    const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 8;
    header->setMinimumWidth(header->fontMetrics().horizontalAdvance(QString::number(std::max(MaxRows(), 1))) + margins);
}

int SpreadGrid::rowsInView() const
{
    return std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()));
}

void SpreadGrid::setTopRow(int row)
{
    const int lastTop = std::max(1, MaxRows() - rowsInView() + 1);
    // One row more than fits in full: the one cut off at the bottom.
    m_model->setPage(std::clamp(row, 1, lastTop), rowsInView() + 1);
    syncScrollBar();
    showSelection();
}

void SpreadGrid::showRow(int row, ScrollHint hint)
{
    const int rows = rowsInView();
    switch (hint) {
    case PositionAtTop:
        setTopRow(row);
        break;
    case PositionAtBottom:
        setTopRow(row - rows + 1);
        break;
    case PositionAtCenter:
        setTopRow(row - rows / 2);
        break;
    case EnsureVisible:
        if (row < topRow())
            setTopRow(row);
        else if (row >= topRow() + rows)
            setTopRow(row - rows + 1);
        break;
    }
}

void SpreadGrid::showActiveCell()
{
    const QPoint active = m_selection.active();
    showRow(active.y(), EnsureVisible);
    scrollTo(m_model->index(active.y() - topRow(), active.x() - 1));
}

void SpreadGrid::syncScrollBar()
{
    QScrollBar* bar = verticalScrollBar();
    const int rows = rowsInView();
    const QScopedValueRollback hold(m_holdPage, true);
    bar->setRange(0, std::max(0, MaxRows() - rows));
    bar->setPageStep(rows);
    bar->setSingleStep(1);
    bar->setValue(topRow() - 1);
}

// The base view sizes the scroll bar for its page and moves the row header to match, which would
// scroll the page's first row partly out of view; the page always starts at the top.
void SpreadGrid::updateGeometries()
{
    {
        const QScopedValueRollback hold(m_holdPage, true);
        QTableView::updateGeometries();
    }
    verticalHeader()->setOffset(0);
    syncScrollBar();
}

void SpreadGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, 0);
    if (dy != 0 && !m_holdPage)
        setTopRow(verticalScrollBar()->value() + 1);
}

void SpreadGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid())
        return;
    const int row = m_model->gridRow(index.row());
    showRow(row, hint);
    {
        // Columns only: the row is on the page now.
        const QScopedValueRollback hold(m_holdPage, true);
        QTableView::scrollTo(m_model->index(row - topRow(), index.column()), EnsureVisible);
    }
    syncScrollBar();
}

void SpreadGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    fitPage();
}

GridBlock SpreadGrid::block() const
{
    return m_selection.block(gridSize());
}

void SpreadGrid::selectBlock(int col, int row, int col2, int row2)
{
    select({col, row}, Extent::Cells, false);
    select({col2, row2}, Extent::Cells, true);
}

void SpreadGrid::selectAll()
{
    if (!gridSize().isEmpty())
        selectBlock(1, 1, MaxCols(), MaxRows());
}

void SpreadGrid::clearBlock()
{
    forgetSelection();
    showSelection();
}

// Makes `cell` the active cell (see GridSelection::press) and shows and reports the selection.
void SpreadGrid::select(QPoint cell, Extent extent, bool extend)
{
    if (!m_selection.press(cell, extent, extend, gridSize()))
        return;
    m_col = m_selection.active().x();
    m_row = m_selection.active().y();
    showSelection();
    reportBlock();
}

// A grid that changed its size starts without a selection, and says nothing of it.
void SpreadGrid::forgetSelection()
{
    m_selection.clear();
    m_reported = {};
}

// The part of the selection on the page, and the active cell when it is there.
void SpreadGrid::showSelection()
{
    const int top = topRow();
    const int bottom = top + m_model->rowCount() - 1;
    const GridBlock b = block();
    QItemSelection shown;
    const int first = std::max(b.row, top);
    const int last = std::min(b.row2, bottom);
    if (!m_selection.isEmpty() && first <= last && b.col >= 1 && b.col <= b.col2)
        shown.select(m_model->index(first - top, b.col - 1), m_model->index(last - top, b.col2 - 1));
    selectionModel()->select(shown, QItemSelectionModel::ClearAndSelect);
    const QPoint active = m_selection.active();
    const bool activeShown = active.y() >= top && active.y() <= bottom && active.x() >= 1 && active.x() <= MaxCols();
    selectionModel()->setCurrentIndex(activeShown ? m_model->index(active.y() - top, active.x() - 1) : QModelIndex(),
                                      QItemSelectionModel::NoUpdate);
}

// Reports the selected block when it differs from the last one reported.
void SpreadGrid::reportBlock()
{
    const GridBlock b = block();
    if (b == m_reported)
        return;
    m_reported = b;
    Q_EMIT BlockSelected(b.col, b.row, b.col2, b.row2);
}

void SpreadGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        followFont();
}

void SpreadGrid::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (text.size() == 1 && (text.front().isPrint() || text.front() == u'\b' || text.front() == u'\r')) {
        int keyAscii = text.front().unicode();
        Q_EMIT KeyPress(&keyAscii);
        if (keyAscii == 0) {
            event->accept();
            return;
        }
    }
    if (const std::optional<QPoint> target = m_selection.keyTarget(event->key(), event->modifiers(), rowsInView(), gridSize())) {
        select(*target, Extent::Cells, event->modifiers().testFlag(Qt::ShiftModifier));
        showActiveCell();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

// Typing goes to the row below the active cell whose text in the active column begins with what
// was typed; keys typed in quick succession make one text, searched from the active row.
void SpreadGrid::keyboardSearch(const QString& search)
{
    if (search.isEmpty() || MaxRows() < 1 || MaxCols() < 1)
        return;
    const bool continuing = m_sinceSearchKey.isValid() && m_sinceSearchKey.elapsed() < QApplication::keyboardInputInterval();
    m_searchText = continuing ? m_searchText + search : search;
    m_sinceSearchKey.start();
    const QPoint active = m_selection.active();
    const int col = std::clamp(active.x(), 1, MaxCols());
    const int from = std::clamp(continuing ? active.y() : active.y() + 1, 1, MaxRows());
    int found = SearchCol(col, from, MaxRows(), m_searchText);
    if (found < 0 && from > 1)
        found = SearchCol(col, 1, from - 1, m_searchText);
    if (found < 1)
        return;
    select({col, found}, Extent::Cells, false);
    showActiveCell();
}

void SpreadGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    if (!indexAt(pos).isValid())
        return;
    setFocus(Qt::MouseFocusReason);
    select(cellNearest(pos), Extent::Cells, event->modifiers().testFlag(Qt::ShiftModifier));
    m_dragging = true;
    m_dragPos = pos;
}

void SpreadGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

// Dragging beyond the top or the bottom of the view scrolls, the faster the farther away.
void SpreadGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || !event->buttons().testFlag(Qt::LeftButton))
        return;
    m_dragPos = event->position().toPoint();
    select(cellNearest(m_dragPos), m_selection.extent(), true);
    const bool outside = m_dragPos.y() < 0 || m_dragPos.y() >= viewport()->height();
    if (outside && !m_dragScroll.isActive())
        m_dragScroll.start();
    else if (!outside)
        m_dragScroll.stop();
}

void SpreadGrid::mouseReleaseEvent(QMouseEvent* event)
{
    Q_UNUSED(event)
    m_dragging = false;
    m_dragScroll.stop();
}

void SpreadGrid::dragScroll()
{
    const int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
    const int beyond = m_dragPos.y() < 0 ? m_dragPos.y() : m_dragPos.y() - viewport()->height() + 1;
    const int rows = beyond / rowHeight + (beyond < 0 ? -1 : 1);
    setTopRow(topRow() + rows);
    select({cellNearest(m_dragPos).x(), std::clamp(m_selection.active().y() + rows, 1, MaxRows())}, m_selection.extent(), true);
}

// The grid cell under a point of the viewport, or the nearest one of the page when the point lies
// beyond the cells.
QPoint SpreadGrid::cellNearest(QPoint viewportPos) const
{
    const QHeaderView* columns = horizontalHeader();
    int col = columnAt(viewportPos.x());
    if (col < 0)
        col = viewportPos.x() < 0 ? columns->logicalIndexAt(0) : columns->logicalIndex(columns->count() - 1);
    const int lastOnPage = std::max(0, std::min(m_model->rowCount(), rowsInView()) - 1);
    int pageRow = rowAt(viewportPos.y());
    if (pageRow < 0 || pageRow > lastOnPage)
        pageRow = viewportPos.y() < 0 ? 0 : lastOnPage;
    return {col + 1, m_model->gridRow(pageRow)};
}

// A header click selects whole columns or rows; with shift, or dragged along the header (the
// header reports sections entered only while its button is down), it extends the selection.
void SpreadGrid::headerPressed(Extent extent, int section)
{
    const bool extend = m_selection.hasExtent(extent) && QApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
    if (extent == Extent::Columns)
        select({section + 1, extend ? m_selection.active().y() : topRow()}, extent, extend);
    else
        select({extend ? m_selection.active().x() : 1, m_model->gridRow(section)}, extent, extend);
}

void SpreadGrid::headerEntered(Extent extent, int section)
{
    if (!m_selection.hasExtent(extent))
        return;
    if (extent == Extent::Columns)
        select({section + 1, m_selection.active().y()}, extent, true);
    else
        select({m_selection.active().x(), m_model->gridRow(section)}, extent, true);
}

void SpreadGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    showSelection(); // the base view makes a cell of the page current when none is
}

} // namespace qor
