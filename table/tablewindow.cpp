#include "tablewindow.h"

#include "blockstatistics.h"
#include "gridfont.h"
#include "spreadgrid.h"

#include "data/loadeddataset.h"
#include "data/numbertext.h"
#include "shell/graphsettings.h"
#include "shell/programstate.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"

#include <QGroupBox>
#include <QHeaderView>

namespace qor {

namespace {

// Geometry at the reference size, in twips.
constexpr QRect RecordGridTwips{120, 120, 10560, 9720};
constexpr QRect FrameTwips{10800, 120, 3540, 4680};
constexpr QRect StatisticsGridTwips{120, 300, 3300, 4260};

QRect pixels(const QRect& twips)
{
    const double perPixel = LayoutScaler::TwipsPerPixel;
    return {qRound(twips.x() / perPixel), qRound(twips.y() / perPixel), qRound(twips.width() / perPixel),
            qRound(twips.height() / perPixel)};
}

QString headerText(const models::HeaderText& header)
{
    return header.prefix + stringEntry(header.text);
}

// "\tTIME\tPV\t...": column 0 stays empty.
QString recordHeaders(const models::TableLayout& layout)
{
    QString clip = u'\t' + headerText(models::timeHeader());
    for (const models::GridColumn& column : layout.values)
        clip += u'\t' + headerText(column.header);
    return clip;
}

// "\rPV\rSP\r...": row 0 stays as it is written by the column headers.
QString statisticsRowHeaders(const models::TableLayout& layout)
{
    QString clip;
    for (const models::HeaderText& row : layout.statistics)
        clip += u'\r' + headerText(row);
    return clip;
}

QString statisticsColumnHeaders()
{
    return u'\t' + stringEntry(DigitalText::Minimum) + u'\t' + stringEntry(DigitalText::Maximum) + u'\t';
}

} // namespace

TableWindow::TableWindow(int slot, QWidget* parent)
    : SlotTableForm(slot, {ReferenceWidth, ReferenceHeight}, parent)
    , m_records(new SpreadGrid(this, &interfaceAmPm))
    , m_frame(new QGroupBox(this))
    , m_statistics(new SpreadGrid(m_frame))
{
    setObjectName(u"frmDataDigital_" + QString::number(slot));
    m_records->setObjectName(QStringLiteral("fpSpread1"));
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_statistics->setObjectName(QStringLiteral("fpSpread2"));
    m_statistics->setMaxCols(2);
    m_statistics->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_records->setGeometry(pixels(RecordGridTwips));
    m_frame->setGeometry(pixels(FrameTwips));
    m_statistics->setGeometry(pixels(StatisticsGridTwips));
    // Recorded once, at the reference size: a later recording would take a stretched layout for it.
    saveReferenceLayout();

    const auto swallow = [](int* keyAscii) { *keyAscii = 0; }; // no cell is edited by typing
    connect(m_records, &SpreadGrid::KeyPress, this, swallow);
    connect(m_statistics, &SpreadGrid::KeyPress, this, swallow);
    connect(m_records, &SpreadGrid::BlockSelected, this, &TableWindow::showBlockStatistics);
}

const SlotData& TableWindow::slotData() const
{
    return loadedData().slot(slot());
}

std::optional<models::TableLayout> TableWindow::layout() const
{
    const SlotData& file = slotData();
    return models::tableLayout(file.traits(), file.ModelOption, file.AllChannels, models::filledChannels(file.TraceData));
}

void TableWindow::Load()
{
    ApplyTableStrings();
    if (slotData().FilePath.isEmpty())
        return;
    FillTable();
    m_records->setReDraw(true);
    m_statistics->setReDraw(true);
}

void TableWindow::Unload()
{
    m_records->clearBlock();
    m_records->setMaxRows(0);
    m_records->setMaxCols(0);
    close();
}

void TableWindow::FillTable()
{
    m_records->setReDraw(false);
    // A block of the previous file says nothing about this one.
    m_records->clearBlock();
    m_records->setMaxRows(slotData().RecordCount);
    if (const std::optional<models::TableLayout> chosen = layout())
        fillColumns(*chosen);
}

void TableWindow::fillColumns(const models::TableLayout& chosen)
{
    const TraceColumns& trace = slotData().TraceData;
    m_records->setMaxCols(static_cast<int>(chosen.values.size()) + 1);
    m_records->setClip(recordHeaders(chosen));
    m_records->SetArray(1, 1, trace.TimeValue);
    int col = 2;
    for (const models::GridColumn& column : chosen.values)
        m_records->SetArray(col++, 1, trace.column(column.column));
    // The time texts are wider than numbers.
    m_records->fitColumnToContents(1);
}

void TableWindow::ApplyTableStrings()
{
    const SlotData& file = slotData();
    if (const GraphFormView* graph = GraphForm(slot()))
        setWindowTitle(graph->caption());
    m_frame->setTitle(stringEntry(DigitalText::SelectionStatistics));
    m_statistics->setClip(statisticsColumnHeaders());
    if (const std::optional<DigitalText> title = models::tableTitleKey(file.traits()))
        setWindowTitle(stringEntry(*title) + u'[' + file.FilePath.toUpper() + u']');
    if (const std::optional<models::TableLayout> chosen = layout()) {
        m_records->setClip(recordHeaders(*chosen));
        m_statistics->setClip(statisticsRowHeaders(*chosen));
    }
    useFontOfTheDesignators();
    m_records->refreshTexts(); // the time texts follow the language
}

// Every cell of the record grid is drawn in one font, the time texts' designators included.
void TableWindow::useFontOfTheDesignators()
{
    const datetime::AmPm designators = interfaceAmPm();
    QFont base = font();
    base.setPointSizeF(m_records->font().pointSizeF());
    m_records->setFont(fontCovering(base, designators.am + designators.pm));
}

void TableWindow::writeStatisticsHeaders(const models::TableLayout* chosen)
{
    m_statistics->setClip(statisticsColumnHeaders());
    if (!chosen)
        return;
    m_statistics->setMaxRows(static_cast<int>(chosen->statistics.size()));
    m_statistics->setClip(statisticsRowHeaders(*chosen));
}

// The minimum and maximum of each evaluated column over the block's rows; a column without a
// number there shows empty cells.
void TableWindow::showBlockStatistics(int col, int row, int col2, int row2)
{
    Q_UNUSED(col)
    Q_UNUSED(col2)
    const std::optional<models::TableLayout> chosen = layout();
    writeStatisticsHeaders(chosen ? &*chosen : nullptr);
    if (!chosen)
        return;
    const int rows = static_cast<int>(chosen->statistics.size());
    const std::vector<std::optional<ValueRange>> ranges = blockStatistics(m_records->cells(), 2, rows, row, row2);
    for (int i = 0; i < rows; ++i) {
        const std::optional<ValueRange>& range = ranges[static_cast<std::size_t>(i)];
        m_statistics->setText(1, i + 1, range ? numbers::statisticText(range->minimum) : QString());
        m_statistics->setText(2, i + 1, range ? numbers::statisticText(range->maximum) : QString());
    }
}

void ApplyTableStrings(int slot)
{
    if (auto* window = qobject_cast<TableWindow*>(TableForm(slot)))
        window->ApplyTableStrings();
}

} // namespace qor
