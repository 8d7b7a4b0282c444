#include "table/spreadgrid.h"
#include "textcolumn.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace qor;

namespace {

ColumnPtr numbered(int count)
{
    QStringList texts;
    for (int i = 1; i <= count; ++i)
        texts << QString::number(i);
    return TextColumn::of(texts);
}

QPoint centreOf(const SpreadGrid& grid, int col, int row)
{
    return grid.visualRect(grid.model()->index(row - 1, col - 1)).center();
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
    // A grid of three columns and 1000 rows, shown.
    std::unique_ptr<SpreadGrid> shownGrid()
    {
        auto grid = std::make_unique<SpreadGrid>();
        grid->resize(400, 300);
        grid->setMaxCols(3);
        grid->setMaxRows(1000);
        for (int col = 1; col <= 3; ++col)
            grid->SetArray(col, 1, numbered(1000));
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
        grid.setMaxRows(10);
        grid.setMaxCols(1);
        grid.refreshTexts();
        QCOMPARE(grid.model()->rowCount(), 10);
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
        QMouseEvent move(QEvent::MouseMove, centreOf(*grid, 1, 4), grid->viewport()->mapToGlobal(centreOf(*grid, 1, 4)), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(grid->viewport(), &move);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centreOf(*grid, 1, 4));
        QCOMPARE(lastBlock(blocks), QList<int>({1, 4, 3, 5}));
        // A click on a column header selects the whole column.
        QHeaderView* header = grid->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
        QCOMPARE(lastBlock(blocks), QList<int>({2, 1, 2, 1000}));
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
        grid->setCurrentIndex(grid->model()->index(0, 0));
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
        QCOMPARE(grid->currentIndex().row(), 0);
        swallow = false;
        QTest::keyClicks(grid.get(), QStringLiteral("9"));
        QCOMPARE(grid->currentIndex().row(), 8);
        // Keys without a character are never offered.
        seen = -1;
        QTest::keyClick(grid.get(), Qt::Key_Down);
        QCOMPARE(seen, -1);
    }

    void rowAndActionOneScrollToTheRow()
    {
        auto grid = shownGrid();
        grid->setRow(700);
        QCOMPARE(grid->verticalScrollBar()->value(), 0);
        grid->setAction(2); // no other action does anything
        QCOMPARE(grid->verticalScrollBar()->value(), 0);
        grid->setAction(1);
        QCOMPARE(grid->currentIndex().row(), 699);
        QCOMPARE(grid->rowAt(0), 699); // scrolled to the top of the view
        grid->setRow(1001); // beyond the grid: nothing moves
        grid->setAction(1);
        QCOMPARE(grid->currentIndex().row(), 699);
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
