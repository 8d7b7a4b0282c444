#include "table/gridselection.h"

#include <QTest>

using namespace qor;

namespace {

using Extent = GridSelection::Extent;

// One click: on a cell, or on a column or row header, with or without shift.
struct Press {
    QPoint cell;
    Extent extent = Extent::Cells;
    bool extend = false;
};
using Presses = QList<Press>;

Press cell(int col, int row, bool extend = false)
{
    return {{col, row}, Extent::Cells, extend};
}

Press columns(int col, int row, bool extend = false)
{
    return {{col, row}, Extent::Columns, extend};
}

Press rows(int col, int row, bool extend = false)
{
    return {{col, row}, Extent::Rows, extend};
}

GridSelection pressed(const Presses& presses, GridSize size)
{
    GridSelection selection;
    for (const Press& p : presses)
        selection.press(p.cell, p.extent, p.extend, size);
    return selection;
}

} // namespace

namespace qor {

char* toString(const GridBlock& b)
{
    return QTest::toString(QStringLiteral("(%1, %2)-(%3, %4)").arg(b.col).arg(b.row).arg(b.col2).arg(b.row2));
}

} // namespace qor

Q_DECLARE_METATYPE(Presses)
Q_DECLARE_METATYPE(GridBlock)
Q_DECLARE_METATYPE(GridSize)

class TestGridSelection : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void pressesMakeTheBlock_data()
    {
        QTest::addColumn<Presses>("presses");
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<GridBlock>("block");
        QTest::addColumn<QPoint>("active");
        const GridSize size{5, 20};

        // Whichever corner comes first, the block runs from its first cell to its last.
        QTest::newRow("one cell") << Presses{cell(2, 3)} << size << GridBlock{2, 3, 2, 3} << QPoint(2, 3);
        QTest::newRow("down and right") << Presses{cell(2, 3), cell(4, 7, true)} << size << GridBlock{2, 3, 4, 7} << QPoint(4, 7);
        QTest::newRow("up and left") << Presses{cell(4, 7), cell(2, 3, true)} << size << GridBlock{2, 3, 4, 7} << QPoint(2, 3);
        QTest::newRow("up and right") << Presses{cell(2, 7), cell(4, 3, true)} << size << GridBlock{2, 3, 4, 7} << QPoint(4, 3);

        // Extending moves the far corner only; a press without it starts anew.
        QTest::newRow("extended twice") << Presses{cell(3, 10), cell(5, 15, true), cell(1, 5, true)} << size << GridBlock{1, 5, 3, 10}
                                        << QPoint(1, 5);
        QTest::newRow("pressed anew") << Presses{cell(3, 10), cell(5, 15, true), cell(1, 5)} << size << GridBlock{1, 5, 1, 5}
                                      << QPoint(1, 5);

        // Whole columns and rows reach across the grid whatever rows or columns were pressed.
        QTest::newRow("one column") << Presses{columns(2, 7)} << size << GridBlock{2, 1, 2, 20} << QPoint(2, 7);
        QTest::newRow("columns leftwards") << Presses{columns(4, 7), columns(1, 7, true)} << size << GridBlock{1, 1, 4, 20} << QPoint(1, 7);
        QTest::newRow("one row") << Presses{rows(1, 9)} << size << GridBlock{1, 9, 5, 9} << QPoint(1, 9);
        QTest::newRow("rows upwards") << Presses{rows(1, 9), rows(1, 4, true)} << size << GridBlock{1, 4, 5, 9} << QPoint(1, 4);
        // The extent is the first press's: shift and a key keep whole columns whole columns.
        QTest::newRow("columns extended by a cell")
            << Presses{columns(2, 7), cell(3, 8, true)} << size << GridBlock{2, 1, 3, 20} << QPoint(3, 8);
        QTest::newRow("cells extended by a column")
            << Presses{cell(2, 7), columns(3, 8, true)} << size << GridBlock{2, 7, 3, 8} << QPoint(3, 8);
        // With nothing selected, extending starts a selection of the press's own extent.
        QTest::newRow("extending nothing") << Presses{rows(3, 6, true)} << size << GridBlock{1, 6, 5, 6} << QPoint(3, 6);

        // Cells beyond the grid are brought to its edge.
        QTest::newRow("beyond the far corner") << Presses{cell(9, 99)} << size << GridBlock{5, 20, 5, 20} << QPoint(5, 20);
        QTest::newRow("before the first cell") << Presses{cell(0, -3)} << size << GridBlock{1, 1, 1, 1} << QPoint(1, 1);
        QTest::newRow("every cell") << Presses{cell(1, 1), cell(5, 20, true)} << size << GridBlock{1, 1, 5, 20} << QPoint(5, 20);
        QTest::newRow("every cell and more") << Presses{cell(-1, 0), cell(50, 2000, true)} << size << GridBlock{1, 1, 5, 20}
                                             << QPoint(5, 20);
        QTest::newRow("one cell grid") << Presses{cell(3, 3), cell(0, 0, true)} << GridSize{1, 1} << GridBlock{1, 1, 1, 1} << QPoint(1, 1);
    }

    void pressesMakeTheBlock()
    {
        QFETCH(Presses, presses);
        QFETCH(GridSize, size);
        QFETCH(GridBlock, block);
        QFETCH(QPoint, active);
        const GridSelection selection = pressed(presses, size);
        QVERIFY(!selection.isEmpty());
        QCOMPARE(selection.block(size), block);
        QCOMPARE(selection.active(), active);
    }

    // Whole columns and rows are measured against the grid as it is when the block is asked for.
    void wholeColumnsAndRowsFollowTheGridSize()
    {
        const GridSelection byColumn = pressed({columns(2, 3)}, {5, 20});
        QCOMPARE(byColumn.block({5, 300}), (GridBlock{2, 1, 2, 300}));
        const GridSelection byRow = pressed({rows(2, 3)}, {5, 20});
        QCOMPARE(byRow.block({8, 20}), (GridBlock{1, 3, 8, 3}));
        QVERIFY(byColumn.hasExtent(Extent::Columns));
        QVERIFY(!byColumn.hasExtent(Extent::Rows));
        QVERIFY(!byColumn.hasExtent(Extent::Cells));
    }

    void anEmptyGridSelectsNothing_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::newRow("no columns") << GridSize{0, 10};
        QTest::newRow("no rows") << GridSize{10, 0};
        QTest::newRow("nothing") << GridSize{};
    }

    void anEmptyGridSelectsNothing()
    {
        QFETCH(GridSize, size);
        GridSelection selection;
        QVERIFY(selection.isEmpty());
        QCOMPARE(selection.block(size), GridBlock{});
        QVERIFY(!selection.press({1, 1}, Extent::Cells, false, size));
        QVERIFY(!selection.press({1, 1}, Extent::Columns, true, size));
        QVERIFY(selection.isEmpty());
        QCOMPARE(selection.block(size), GridBlock{});
        QCOMPARE(selection.active(), QPoint(1, 1));
    }

    void clearingForgetsTheBlockButNotTheActiveCell()
    {
        const GridSize size{5, 20};
        GridSelection selection = pressed({columns(2, 3), columns(4, 9, true)}, size);
        selection.clear();
        QVERIFY(selection.isEmpty());
        QVERIFY(!selection.hasExtent(Extent::Columns));
        QCOMPARE(selection.block(size), GridBlock{});
        QCOMPARE(selection.active(), QPoint(4, 9)); // keys go on from there
        // The next press starts anew, even with shift, and with its own extent.
        QVERIFY(selection.press({3, 5}, Extent::Cells, true, size));
        QCOMPARE(selection.block(size), (GridBlock{3, 5, 3, 5}));
        QVERIFY(selection.hasExtent(Extent::Cells));
    }

    void keysMoveTheActiveCell_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<GridBlock>("block");
        const Qt::KeyboardModifiers none;
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
        const Qt::KeyboardModifiers control = Qt::ControlModifier;
        // In a grid of 5 columns and 20 rows, a page being 6 rows.
        QTest::newRow("up") << QPoint(3, 10) << int(Qt::Key_Up) << none << GridBlock{3, 9, 3, 9};
        QTest::newRow("down") << QPoint(3, 10) << int(Qt::Key_Down) << none << GridBlock{3, 11, 3, 11};
        QTest::newRow("left") << QPoint(3, 10) << int(Qt::Key_Left) << none << GridBlock{2, 10, 2, 10};
        QTest::newRow("right") << QPoint(3, 10) << int(Qt::Key_Right) << none << GridBlock{4, 10, 4, 10};
        QTest::newRow("page down") << QPoint(3, 10) << int(Qt::Key_PageDown) << none << GridBlock{3, 16, 3, 16};
        QTest::newRow("page up") << QPoint(3, 10) << int(Qt::Key_PageUp) << none << GridBlock{3, 4, 3, 4};
        QTest::newRow("home") << QPoint(3, 10) << int(Qt::Key_Home) << none << GridBlock{1, 10, 1, 10};
        QTest::newRow("end") << QPoint(3, 10) << int(Qt::Key_End) << none << GridBlock{5, 10, 5, 10};
        QTest::newRow("control home") << QPoint(3, 10) << int(Qt::Key_Home) << control << GridBlock{1, 1, 1, 1};
        QTest::newRow("control end") << QPoint(3, 10) << int(Qt::Key_End) << control << GridBlock{5, 20, 5, 20};

        // The edges stop the active cell.
        QTest::newRow("up from the first row") << QPoint(3, 1) << int(Qt::Key_Up) << none << GridBlock{3, 1, 3, 1};
        QTest::newRow("down from the last row") << QPoint(3, 20) << int(Qt::Key_Down) << none << GridBlock{3, 20, 3, 20};
        QTest::newRow("left from the first column") << QPoint(1, 10) << int(Qt::Key_Left) << none << GridBlock{1, 10, 1, 10};
        QTest::newRow("right from the last column") << QPoint(5, 10) << int(Qt::Key_Right) << none << GridBlock{5, 10, 5, 10};
        QTest::newRow("page up near the top") << QPoint(3, 4) << int(Qt::Key_PageUp) << none << GridBlock{3, 1, 3, 1};
        QTest::newRow("page down near the bottom") << QPoint(3, 17) << int(Qt::Key_PageDown) << none << GridBlock{3, 20, 3, 20};

        // Shift extends the block from where it began.
        QTest::newRow("shift down") << QPoint(3, 10) << int(Qt::Key_Down) << shift << GridBlock{3, 10, 3, 11};
        QTest::newRow("shift page up") << QPoint(3, 10) << int(Qt::Key_PageUp) << shift << GridBlock{3, 4, 3, 10};
        QTest::newRow("shift control home") << QPoint(3, 10) << int(Qt::Key_Home) << (shift | control) << GridBlock{1, 1, 3, 10};
        QTest::newRow("shift control end") << QPoint(3, 10) << int(Qt::Key_End) << (shift | control) << GridBlock{3, 10, 5, 20};
    }

    void keysMoveTheActiveCell()
    {
        QFETCH(QPoint, from);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(GridBlock, block);
        const GridSize size{5, 20};
        GridSelection selection = pressed({cell(from.x(), from.y())}, size);
        const std::optional<QPoint> target = selection.keyTarget(key, modifiers, 6, size);
        QVERIFY(target);
        QVERIFY(selection.press(*target, Extent::Cells, modifiers.testFlag(Qt::ShiftModifier), size));
        QCOMPARE(selection.block(size), block);
    }

    void otherKeysDoNotMove()
    {
        const GridSelection selection = pressed({cell(3, 10)}, {5, 20});
        QCOMPARE(selection.keyTarget(Qt::Key_A, {}, 6, {5, 20}), std::nullopt);
        QCOMPARE(selection.keyTarget(Qt::Key_Tab, {}, 6, {5, 20}), std::nullopt);
        QCOMPARE(selection.keyTarget(Qt::Key_Return, {}, 6, {5, 20}), std::nullopt);
    }

    // A grid shrunk under the active cell: keys start from the nearest cell left, and in an empty
    // grid they still say where they would go (the press then finds nothing to select).
    void keysStartInsideAShrunkGrid()
    {
        const GridSelection selection = pressed({cell(10, 50)}, {10, 50});
        QCOMPARE(selection.keyTarget(Qt::Key_Up, {}, 6, {3, 20}), QPoint(3, 19));
        QCOMPARE(selection.keyTarget(Qt::Key_Left, {}, 6, {3, 20}), QPoint(2, 20));
        QCOMPARE(selection.keyTarget(Qt::Key_Down, {}, 6, {}), QPoint(1, 2));
    }
};

QTEST_MAIN(TestGridSelection)
#include "tst_gridselection.moc"
