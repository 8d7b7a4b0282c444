#include "spreadgrid.h"

#include "shell/graphsettings.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

namespace qor {

namespace {

constexpr int ActionActiveCell = 1;

} // namespace

SpreadGrid::SpreadGrid(QWidget* parent)
    : QTableView(parent)
    , m_model(new SpreadModel([] { return datetime::amPmFor(graphSettings().LangCode); }, this))
{
    setModel(m_model);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(ContiguousSelection);
    setSelectionBehavior(SelectItems);
    // Rows keep one height: with per-row sizing the view would visit every row.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    followFont();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Fitting a column measures the rows in view only, never a large share of millions of rows.
    horizontalHeader()->setResizeContentsPrecision(0);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &SpreadGrid::reportBlock);
    connect(m_model, &QAbstractItemModel::modelReset, this, &SpreadGrid::reportBlock);
}

void SpreadGrid::setMaxRows(int rows)
{
    m_model->setMaxRows(rows);
}

void SpreadGrid::setMaxCols(int cols)
{
    m_model->setMaxCols(cols);
}

int SpreadGrid::SearchCol(int col, int firstRow, int lastRow, QStringView text, int flags) const
{
    Q_UNUSED(flags)
    return cells().SearchCol(col, firstRow, lastRow, text);
}

void SpreadGrid::setAction(int action)
{
    if (action != ActionActiveCell)
        return;
    const QModelIndex target = m_model->index(m_row - 1, std::max(m_col, 1) - 1);
    if (!target.isValid())
        return;
    scrollTo(target, PositionAtTop);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
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
}

void SpreadGrid::fitColumnToContents(int col)
{
    if (!m_fittedColumns.contains(col))
        m_fittedColumns.append(col);
    fitColumn(col);
}

// Measures the header and a sample of rows (the first hundred and the last), never every row:
// a column of ten million times would take minutes to measure in full, and its texts are alike.
void SpreadGrid::fitColumn(int col)
{
    constexpr int SampleRows = 100;
    const QFontMetrics metrics(font());
    int width = metrics.horizontalAdvance(GetText(col, 0)) + 16;
    const int rows = MaxRows();
    for (int row = 1; row <= rows; row = row < SampleRows ? row + 1 : std::max(row + 1, rows))
        width = std::max(width, metrics.horizontalAdvance(GetText(col, row)) + 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8);
    setColumnWidth(col - 1, width);
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
    QTableView::keyPressEvent(event);
}

// Reports the bounding block of the selection when it differs from the last one reported.
void SpreadGrid::reportBlock()
{
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        m_block = {};
        return;
    }
    GridBlock b{MaxCols(), MaxRows(), 0, 0};
    for (const QItemSelectionRange& range : selection) {
        b.col = std::min(b.col, range.left() + 1);
        b.row = std::min(b.row, range.top() + 1);
        b.col2 = std::max(b.col2, range.right() + 1);
        b.row2 = std::max(b.row2, range.bottom() + 1);
    }
    if (b == m_block)
        return;
    m_block = b;
    Q_EMIT BlockSelected(b.col, b.row, b.col2, b.row2);
}

} // namespace qor
