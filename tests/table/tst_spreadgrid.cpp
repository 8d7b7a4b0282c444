#include "table/spreadgrid.h"
#include "textcolumn.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace qor;

namespace {

// The numbers 1 to count.
ColumnPtr numbered(int count)
{
    NumberArray values(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        values[static_cast<std::size_t>(i)] = i + 1;
    return std::make_shared<const DoubleColumn>(std::move(values));
}

// The centre of a grid cell on the page in view.
QPoint centreOf(const SpreadGrid& grid, int col, int row)
{
    return grid.visualRect(grid.model()->index(row - grid.topRow(), col - 1)).center();
}

void dragTo(SpreadGrid& grid, QPoint to)
{
    QMouseEvent move(QEvent::MouseMove, to, grid.viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(grid.viewport(), &move);
}

// The grid rows the page shows selected in column `col`.
QList<int> selectedRowsInView(const SpreadGrid& grid, int col)
{
    QList<int> rows;
    for (int r = 0; r < grid.model()->rowCount(); ++r) {
        if (grid.selectionModel()->isSelected(grid.model()->index(r, col - 1)))
            rows << grid.topRow() + r;
    }
    return rows;
}

QList<int> lastBlock(const QSignalSpy& spy)
{
    QList<int> out;
    for (const QVariant& v : spy.last())
        out << v.toInt();
    return out;
}

} // namespace

class TestSpreadGrid : public QObject {
    Q_OBJECT

  private:
    // A grid of three columns and `rows` rows, shown.
    std::unique_ptr<SpreadGrid> shownGrid(int rows = 1000)
    {
        auto grid = std::make_unique<SpreadGrid>();
        grid->resize(400, 300);
        grid->setMaxCols(3);
        grid->setMaxRows(rows);
        for (int col = 1; col <= 3; ++col)
            grid->SetArray(col, 1, numbered(rows));
        grid->show();
        if (!QTest::qWaitForWindowExposed(grid.get()))
            qFatal("grid not exposed");
        return grid;
    }

  private Q_SLOTS:
    void modelPassesTheTesterThroughEveryChange()
    {
        SpreadGrid grid;
        QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        grid.setMaxCols(3);
        grid.setMaxRows(50);
        grid.SetArray(2, 5, numbered(100));
        grid.setClip(u"\tA\tB\tC\r1\r2");
        grid.setText(3, 50, QStringLiteral("last"));
        grid.setTopRow(45);
        grid.resize(grid.width(), grid.height() * 3);
        grid.setTopRow(1);
        grid.setMaxRows(10);
        grid.setMaxCols(1);
        grid.refreshTexts();
        QCOMPARE(grid.model()->rowCount(), std::min(10, grid.model()->rowCount()));
        QCOMPARE(grid.model()->columnCount(), 1);
        QCOMPARE(grid.model()->flags(grid.model()->index(0, 0)) & Qt::ItemIsEditable, Qt::NoItemFlags);
    }

    void headersShowRowZeroAndColumnZero()
    {
        SpreadGrid grid;
        grid.setMaxCols(28);
        grid.setMaxRows(3);
        grid.setClip(u"\tTIME\r\rsecond");
        QAbstractItemModel* model = grid.model();
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), "TIME");
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), "B"); // default labels where none was written
        QCOMPARE(model->headerData(27, Qt::Horizontal).toString(), "AB");
        QCOMPARE(model->headerData(0, Qt::Vertical).toString(), ""); // written empty
        QCOMPARE(model->headerData(1, Qt::Vertical).toString(), "second");
        QCOMPARE(model->headerData(2, Qt::Vertical).toString(), "3");
        QCOMPARE(grid.GetText(1, 0), "TIME");
        QCOMPARE(model->data(model->index(1, 0)).toString(), ""); // row 2, column 1: the header column is not a cell
    }

    void blocksAreReportedForClicksDragsAndWholeColumns()
    {
        auto grid = shownGrid();
        QSignalSpy blocks(grid.get(), &SpreadGrid::BlockSelected);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 2, 3));
        QCOMPARE(lastBlock(blocks), QList<int>({2, 3, 2, 3}));
        // Shift-click upwards and to the left: the block still runs from its first to its last cell.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, centreOf(*grid, 1, 2));
        QCOMPARE(lastBlock(blocks), QList<int>({1, 2, 2, 3}));
        // Drag from (3, 5) to (1, 4).
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 3, 5));
        dragTo(*grid, centreOf(*grid, 1, 4));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 1, 4));
        QCOMPARE(lastBlock(blocks), QList<int>({1, 4, 3, 5}));
        // A click on a column header selects the whole column.
        QHeaderView* header = grid->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
        QCOMPARE(lastBlock(blocks), QList<int>({2, 1, 2, 1000}));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
        QCOMPARE(lastBlock(blocks), QList<int>({2, 1, 3, 1000}));
        // Dragged along the header, from the third column to the first.
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
        QMouseEvent alongHeader(QEvent::MouseMove, QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2),
                                header->viewport()->mapToGlobal(QPoint(5, 5)), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(header->viewport(), &alongHeader);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
        QCOMPARE(lastBlock(blocks), QList<int>({1, 1, 3, 1000}));
        // Keyboard: shift and the arrow down extends the block by one row.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 1, 1));
        QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(lastBlock(blocks), QList<int>({1, 1, 1, 2}));
        const qsizetype reports = blocks.size();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, centreOf(*grid, 1, 2));
        QCOMPARE(blocks.size(), reports); // the same block is not reported twice
    }

    void keyPressesCanBeSwallowed()
    {
        auto grid = shownGrid();
        grid->selectBlock(1, 1, 1, 1);
        int seen = -1;
        bool swallow = true;
        connect(grid.get(), &SpreadGrid::KeyPress, this, [&](int* keyAscii) {
            seen = *keyAscii;
            if (swallow)
                *keyAscii = 0;
        });
        // A key that is let through goes on to the view, which jumps to the row whose text begins with it.
        QTest::keyClicks(grid.get(), QStringLiteral("7"));
        QCOMPARE(seen, int('7'));
        QCOMPARE(grid->Row(), 1);
        swallow = false;
        QTest::keyClicks(grid.get(), QStringLiteral("9"));
        QCOMPARE(grid->Row(), 9);
        QCOMPARE(grid->block(), (GridBlock{1, 9, 1, 9}));
        // Keys typed in quick succession make one text, searched beyond the page in view.
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        QTest::keyClicks(grid.get(), QStringLiteral("90"));
        QCOMPARE(grid->Row(), 90);
        QTest::keyClicks(grid.get(), QStringLiteral("0"));
        QCOMPARE(grid->Row(), 900);
        QCOMPARE(grid->currentIndex().row(), 900 - grid->topRow());
        // Keys without a character are never offered.
        seen = -1;
        QTest::keyClick(grid.get(), Qt::Key_Down);
        QCOMPARE(seen, -1);
    }

    void rowAndActionOneScrollToTheRow()
    {
        auto grid = shownGrid();
        grid->setRow(700);
        grid->setAction(2); // no other action does anything
        QCOMPARE(grid->topRow(), 1);
        grid->setAction(1);
        QCOMPARE(grid->topRow(), 700); // scrolled to the top of the view
        QCOMPARE(grid->verticalScrollBar()->value(), 699);
        QCOMPARE(grid->currentIndex(), grid->model()->index(0, 0));
        QCOMPARE(grid->block(), (GridBlock{1, 700, 1, 700}));
        grid->setRow(1001); // beyond the grid: nothing moves
        grid->setAction(1);
        QCOMPARE(grid->topRow(), 700);
        QCOMPARE(grid->block(), (GridBlock{1, 700, 1, 700}));
    }

    // A million rows: the view is told of one page, and the scroll bar, the cells and the row
    // numbers follow the grid's rows.
    void theViewPagesThroughTheRows()
    {
        constexpr int Rows = 1'000'000;
        auto grid = shownGrid(Rows);
        QAbstractItemModelTester tester(grid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        const int inView = grid->viewport()->height() / grid->verticalHeader()->defaultSectionSize();
        QCOMPARE(grid->model()->rowCount(), inView + 1);
        QCOMPARE(grid->verticalHeader()->count(), inView + 1);
        QScrollBar* bar = grid->verticalScrollBar();
        QCOMPARE(bar->maximum(), Rows - inView);
        grid->selectBlock(1, 2, 1, 2);
        bar->setValue(500'000);
        QCOMPARE(grid->topRow(), 500'001);
        QApplication::processEvents();
        QCOMPARE(grid->rowViewportPosition(0), 0); // the page's first row shows in full
        QCOMPARE(grid->model()->data(grid->model()->index(0, 1)).toString(), "500001");
        QCOMPARE(grid->model()->headerData(1, Qt::Vertical).toString(), "500002");
        QCOMPARE(grid->rowAt(centreOf(*grid, 1, 500'001).y()), 0);
        // The last row shows in full at the bottom.
        bar->setValue(bar->maximum());
        QCOMPARE(grid->model()->rowCount(), inView);
        QCOMPARE(grid->model()->data(grid->model()->index(inView - 1, 2)).toString(), QString::number(Rows));
        QVERIFY(grid->visualRect(grid->model()->index(inView - 1, 2)).bottom() < grid->viewport()->height());
        // The row header is as wide as the widest row number wherever the page is.
        const int headerWidth = grid->verticalHeader()->width();
        grid->setTopRow(1);
        QCOMPARE(grid->verticalHeader()->width(), headerWidth);
        QVERIFY(headerWidth >= grid->verticalHeader()->fontMetrics().horizontalAdvance(QString::number(Rows)));
        // A growing window shows more rows; a shrinking grid keeps the page inside it.
        grid->resize(400, 600);
        QVERIFY(grid->model()->rowCount() > inView + 1);
        grid->setTopRow(Rows);
        grid->setMaxRows(5);
        QCOMPARE(grid->topRow(), 1);
        QCOMPARE(grid->model()->rowCount(), 5);
        QCOMPARE(bar->maximum(), 0);
    }

    void selectionsReachBeyondThePage()
    {
        constexpr int Rows = 100'000;
        auto grid = shownGrid(Rows);
        QSignalSpy blocks(grid.get(), &SpreadGrid::BlockSelected);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 2, 3));
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
        QVERIFY(selectedRowsInView(*grid, 2).isEmpty());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, centreOf(*grid, 3, Rows));
        QCOMPARE(lastBlock(blocks), QList<int>({2, 3, 3, Rows}));
        QCOMPARE(selectedRowsInView(*grid, 2).size(), grid->model()->rowCount());
        grid->setTopRow(1);
        QCOMPARE(selectedRowsInView(*grid, 1), QList<int>());
        QCOMPARE(selectedRowsInView(*grid, 3).first(), 3);
        // Keys move the active cell through the whole grid and take the page along.
        QTest::keyClick(grid.get(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(lastBlock(blocks), QList<int>({3, Rows, 3, Rows}));
        QCOMPARE(grid->topRow(), grid->verticalScrollBar()->maximum() + 1);
        const int inView = grid->model()->rowCount();
        QTest::keyClick(grid.get(), Qt::Key_PageUp, Qt::ShiftModifier);
        QCOMPARE(lastBlock(blocks), QList<int>({3, Rows - inView, 3, Rows}));
        QTest::keyClick(grid.get(), Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(lastBlock(blocks), QList<int>({1, 1, 3, Rows}));
        QCOMPARE(grid->topRow(), 1);
        QTest::keyClick(grid.get(), Qt::Key_Up);
        QCOMPARE(lastBlock(blocks), QList<int>({1, 1, 1, 1})); // the first row stops it
        // A row header selects the whole row, wherever the page is.
        grid->setTopRow(5000);
        QHeaderView* rowHeader = grid->verticalHeader();
        QTest::mouseClick(rowHeader->viewport(), Qt::LeftButton, {},
                          QPoint(rowHeader->width() / 2, rowHeader->sectionViewportPosition(2) + rowHeader->sectionSize(2) / 2));
        QCOMPARE(lastBlock(blocks), QList<int>({1, 5002, 3, 5002}));
        // The corner button selects every cell.
        grid->selectAll();
        QCOMPARE(lastBlock(blocks), QList<int>({1, 1, 3, Rows}));
        grid->clearBlock();
        QCOMPARE(grid->block(), GridBlock{});
        QVERIFY(!grid->selectionModel()->hasSelection());
    }

    // Dragging below the view scrolls and extends the block past the page it began on.
    void draggingBeyondTheViewScrolls()
    {
        auto grid = shownGrid();
        QSignalSpy blocks(grid.get(), &SpreadGrid::BlockSelected);
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 1, 2));
        const QPoint below(centreOf(*grid, 2, 2).x(), grid->viewport()->height() + 40);
        dragTo(*grid, below);
        QTRY_VERIFY(grid->topRow() > 30);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, below);
        const int reached = lastBlock(blocks).at(3);
        QVERIFY(reached >= grid->topRow() + grid->model()->rowCount() - 2);
        QCOMPARE(lastBlock(blocks).mid(0, 3), QList<int>({1, 2, 2}));
        // Released, the view stays where it was.
        const int top = grid->topRow();
        QTest::qWait(100);
        QCOMPARE(grid->topRow(), top);
    }

    void fittedColumnsAndRowsFollowTheFont()
    {
        SpreadGrid grid;
        grid.setMaxCols(2);
        grid.setMaxRows(3);
        grid.SetArray(1, 1, TextColumn::of({"a rather long text in the first column", "x", "y"}));
        grid.fitColumnToContents(1);
        const int width = grid.columnWidth(0);
        const int otherWidth = grid.columnWidth(1);
        const int height = grid.rowHeight(0);
        QFont font = grid.font();
        font.setPointSizeF(font.pointSizeF() * 2);
        grid.setFont(font);
        QVERIFY(grid.columnWidth(0) > width * 3 / 2);
        QCOMPARE(grid.columnWidth(1), otherWidth);
        QVERIFY(grid.rowHeight(0) > height * 3 / 2);
    }

    void reDrawSwitchAndSearch()
    {
        SpreadGrid grid;
        grid.setMaxCols(1);
        grid.setMaxRows(30);
        grid.SetArray(1, 1, numbered(30));
        grid.setReDraw(false);
        QVERIFY(!grid.ReDraw());
        QVERIFY(!grid.updatesEnabled());
        grid.setReDraw(true);
        QVERIFY(grid.updatesEnabled());
        QCOMPARE(grid.SearchCol(1, 1, grid.MaxRows(), u"2", 2), 2);
        QCOMPARE(grid.SearchCol(1, 3, grid.MaxRows(), u"2", 2), 20);
        grid.setVisible(false);
        QVERIFY(!grid.isVisible());
    }
};

QTEST_MAIN(TestSpreadGrid)
#include "tst_spreadgrid.moc"
