#include "combinedtablewindow.h"

#include "spreadgrid.h"

#include "data/loadeddataset.h"
#include "shell/programstate.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"

#include <QLabel>

namespace qor {

namespace {

// Geometry at the reference size, in twips: three columns of a label over a grid.
constexpr int MarginTwips = 120;
constexpr int LabelHeightTwips = 300;
constexpr int GridTopTwips = 480;

QRect pixels(double x, double y, double width, double height)
{
    const double perPixel = LayoutScaler::TwipsPerPixel;
    return {qRound(x / perPixel), qRound(y / perPixel), qRound(width / perPixel), qRound(height / perPixel)};
}

} // namespace

CombinedTableWindow::CombinedTableWindow(QWidget* parent)
    : SlotTableForm(Slot, {ReferenceWidth, ReferenceHeight}, parent)
{
    setObjectName(QStringLiteral("frmDataDigital_3"));
    setWindowTitle(QStringLiteral("CH ALL"));
    const double columnWidth = (ReferenceWidth - MarginTwips * 4) / 3;
    const auto swallow = [](int* keyAscii) { *keyAscii = 0; }; // no cell is edited by typing
    for (std::size_t k = 0; k < m_grids.size(); ++k) {
        const double left = MarginTwips + static_cast<double>(k) * (columnWidth + MarginTwips);
        QLabel*& label = m_labels[k];
        label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(k));
        label->setGeometry(pixels(left, MarginTwips, columnWidth, LabelHeightTwips));
        SpreadGrid*& grid = m_grids[k];
        grid = new SpreadGrid(this, &interfaceAmPm);
        grid->setObjectName(QStringLiteral("fpSpread1_%1").arg(k));
        grid->setGeometry(pixels(left, GridTopTwips, columnWidth, ReferenceHeight - GridTopTwips - MarginTwips));
        connect(grid, &SpreadGrid::KeyPress, this, swallow);
    }
    saveReferenceLayout();
}

void CombinedTableWindow::Load()
{
    setWindowTitle(stringEntry(DigitalText::DataTable) + u'[' + loadedData().current().FilePath + u']');
    const GraphFormView* graph = GraphForm(loadedData().FileNo);
    for (std::size_t k = 0; k < m_grids.size(); ++k) {
        m_labels[k]->setText(graph ? graph->infoLine(static_cast<int>(k)) : QString());
        clearGrid(*m_grids[k]);
        m_grids[k]->setMaxCols(4);
        // The same headers in every language.
        m_grids[k]->setClip(QStringLiteral("\tTIME\tPV\tSP\tMV"));
        m_grids[k]->setReDraw(true);
    }
}

void CombinedTableWindow::fillFile(int file, const SlotData& slot)
{
    SpreadGrid& grid = *fpSpread1(file);
    grid.setMaxRows(slot.RecordCount);
    grid.setMaxCols(4);
    grid.SetArray(1, 1, slot.TraceData.TimeValue);
    grid.SetArray(2, 1, slot.TraceData.column(ColumnId::PV1));
    grid.SetArray(3, 1, slot.TraceData.column(ColumnId::SP1));
    grid.SetArray(4, 1, slot.TraceData.column(ColumnId::MV1));
    grid.fitColumnToContents(1);
}

void CombinedTableWindow::Unload()
{
    for (SpreadGrid* grid : m_grids)
        clearGrid(*grid);
    close();
}

void CombinedTableWindow::clearGrid(SpreadGrid& grid)
{
    grid.clearBlock();
    grid.setMaxRows(0);
    grid.setMaxCols(0);
}

} // namespace qor
