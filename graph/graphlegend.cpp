#include "graphlegend.h"

#include "textcontrast.h"
#include "widgetcolors.h"

#include "shell/layoutscaler.h"
#include "table/spreadgrid.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>

namespace qor {

namespace {

// Geometry at the window's reference size, in pixels of 96 dpi.
constexpr int PanelWidth = 185;
constexpr int RowHeight = 22;
constexpr int GroupTop = 28;
constexpr int GroupHeight = 3 * RowHeight + 6;

QLabel* namedLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

} // namespace

GraphLegend::GraphLegend(QString iconFolder, QWidget* parent)
    : QFrame(parent)
    , m_iconFolder(std::move(iconFolder))
    , m_header(namedLabel(QStringLiteral("Label_0"), this))
    , m_statisticsButton(new QPushButton(this))
    , m_statisticsGrid(new SpreadGrid(parent ? parent : this))
    , m_rangeSummary(namedLabel(QStringLiteral("Label1_4"), this))
{
    setObjectName(QStringLiteral("Show_Legend"));
    setAutoFillBackground(true);
    m_statisticsGrid->setProperty(LayoutScaler::OwnPlaceProperty, true); // placeStatisticsGrid places it
    m_header->setGeometry(8, 4, PanelWidth - 16, 20);
    for (int channel = 1; channel <= 3; ++channel) {
        QFrame*& group = m_groups[static_cast<std::size_t>(channel - 1)];
        group = new QFrame(this);
        group->setObjectName(QStringLiteral("Show_Legend_%1").arg(channel));
        group->setAutoFillBackground(true);
        group->setGeometry(4, GroupTop + (channel - 1) * (GroupHeight + 4), PanelWidth - 8, GroupHeight);
        for (int row = 0; row < 3; ++row)
            addItem((channel - 1) * 3 + row + 1, group, 3 + row * RowHeight);
    }
    const int cursorsTop = GroupTop + 3 * (GroupHeight + 4) + 4;
    addItem(10, this, cursorsTop);
    addItem(11, this, cursorsTop + RowHeight);
    for (int i = 0; i < 2; ++i) {
        m_readouts[static_cast<std::size_t>(i)] = namedLabel(QStringLiteral("Label1_%1").arg(i + 2), this);
        m_readouts[static_cast<std::size_t>(i)]->setGeometry(8, cursorsTop + (2 + i) * RowHeight + 4, PanelWidth - 16, 20);
        m_readouts[static_cast<std::size_t>(i)]->hide();
    }
    m_statisticsButton->setObjectName(QStringLiteral("Command2"));
    m_statisticsButton->setGeometry(8, cursorsTop + 4 * RowHeight + 8, 80, 26);
    m_statisticsButton->hide();
    m_rangeSummary->setGeometry(92, cursorsTop + 4 * RowHeight + 4, PanelWidth - 96, 34);
    m_rangeSummary->hide();
    m_statisticsGrid->setObjectName(QStringLiteral("fpSpread1"));
    m_statisticsGrid->hide();
    for (QLabel* label : findChildren<QLabel*>()) {
        label->installEventFilter(this);
        keepReadable(label);
    }
}

// A palette change is either a new colour for the label or a new background from the legend.
void GraphLegend::keepReadable(QLabel* label)
{
    const QPalette& palette = label->palette();
    const QColor current = palette.color(QPalette::WindowText);
    TextColors& colors = m_textColors[label];
    if (current != colors.shown)
        colors.given = current;
    colors.shown = textcontrast::readableOn(colors.given, palette.color(QPalette::Window));
    if (colors.shown != current)
        setTextColor(label, colors.shown);
}

// The grid stands below the statistics button with its right edge on the legend's, as wide as its
// columns need and as high as its rows, reaching out over the graph to the left where the legend is
// too narrow (it is the window's child for that reason) and down to the window's bottom edge; only
// where the window runs out does it scroll.
void GraphLegend::placeStatisticsGrid()
{
    SpreadGrid& grid = *m_statisticsGrid;
    const QRect legend = geometry();
    const int top = legend.top() + m_statisticsButton->geometry().bottom() + 8;
    const int available = std::max(0, grid.parentWidget()->height() - top - 4);
    const int frame = 2 * grid.frameWidth();
    grid.setGeometry(legend.left(), top, legend.width(), available);
    const int height = grid.height() - grid.viewport()->height() + grid.MaxRows() * grid.verticalHeader()->defaultSectionSize();
    grid.resizeColumnsToContents();
    int width = grid.verticalHeader()->sizeHint().width() + grid.horizontalHeader()->length() + frame;
    // The grid shows one row beyond those that fit, which would call up a scroll bar for nothing.
    const bool scrolls = height > available;
    grid.setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    if (scrolls)
        width += grid.verticalScrollBar()->sizeHint().width();
    const int widest = legend.right() + 1;
    grid.setHorizontalScrollBarPolicy(width > widest ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    width = std::min(width, widest);
    grid.setGeometry(legend.right() + 1 - width, top, width, std::min(height, available));
    grid.raise();
}

void GraphLegend::addItem(int item, QWidget* container, int top)
{
    QLabel* check = namedLabel(QStringLiteral("Image1_%1").arg(item), container);
    check->setGeometry(4, top, 18, 18);
    check->setScaledContents(true);
    check->setCursor(Qt::PointingHandCursor);
    check->installEventFilter(this);
    QLabel* text = namedLabel(QStringLiteral("Label_%1").arg(item), container);
    text->setGeometry(26, top, PanelWidth - 40, 20);
    text->setCursor(Qt::PointingHandCursor);
    text->installEventFilter(this);
    m_checks[static_cast<std::size_t>(item - 1)] = check;
    m_texts[static_cast<std::size_t>(item - 1)] = text;
}

QLabel* GraphLegend::itemText(int item) const
{
    return m_texts.at(static_cast<std::size_t>(item - 1));
}

QLabel* GraphLegend::itemCheck(int item) const
{
    return m_checks.at(static_cast<std::size_t>(item - 1));
}

QFrame* GraphLegend::group(int channel) const
{
    return m_groups.at(static_cast<std::size_t>(channel - 1));
}

QLabel* GraphLegend::readout(int cursor) const
{
    return m_readouts.at(static_cast<std::size_t>(cursor - 2));
}

void GraphLegend::showChecked(int item, bool checked, const QColor& textColor)
{
    const QString icon = checked ? QStringLiteral("Checked.ico") : QStringLiteral("Unchecked.ico");
    itemCheck(item)->setPixmap(QPixmap(m_iconFolder + icon));
    setTextColor(itemText(item), textColor);
}

void GraphLegend::setItemVisible(int item, bool visible)
{
    itemText(item)->setVisible(visible);
    itemCheck(item)->setVisible(visible);
}

void GraphLegend::setBackColor(const QColor& color)
{
    qor::setBackColor(this, color);
    for (QFrame* group : m_groups)
        qor::setBackColor(group, color);
}

void GraphLegend::hideEvent(QHideEvent* event)
{
    QFrame::hideEvent(event);
    if (m_statisticsGrid->parentWidget() == this)
        return;
    m_gridShownWithLegend = m_statisticsGrid->isVisibleTo(m_statisticsGrid->parentWidget());
    m_statisticsGrid->hide();
}

void GraphLegend::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    // Only while the range cursors, and so the statistics button, are still on; in the place the
    // legend has now, which the layout scaling does not know.
    if (m_gridShownWithLegend && m_statisticsButton->isVisibleTo(this)) {
        m_statisticsGrid->show();
        placeStatisticsGrid();
    }
    m_gridShownWithLegend = false;
}

// A shown statistics list stands below the legend's button wherever the legend goes.
void GraphLegend::moveEvent(QMoveEvent* event)
{
    QFrame::moveEvent(event);
    if (!m_statisticsGrid->isHidden())
        placeStatisticsGrid();
}

bool GraphLegend::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::PaletteChange) {
        if (auto* label = qobject_cast<QLabel*>(watched))
            keepReadable(label);
    }
    if (event->type() == QEvent::MouseButtonPress) {
        for (int item = 1; item <= ItemCount; ++item) {
            if (watched == itemText(item) || watched == itemCheck(item)) {
                Q_EMIT itemClicked(item);
                return true;
            }
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace qor
