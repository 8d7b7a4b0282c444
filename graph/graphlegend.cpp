#include "graphlegend.h"

#include "widgetcolors.h"

#include "table/spreadgrid.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

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
    , m_statisticsGrid(new SpreadGrid(this))
    , m_rangeSummary(namedLabel(QStringLiteral("Label1_4"), this))
{
    setObjectName(QStringLiteral("Show_Legend"));
    setAutoFillBackground(true);
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
    m_statisticsGrid->setGeometry(4, cursorsTop + 4 * RowHeight + 40, PanelWidth - 8, 600 - (cursorsTop + 4 * RowHeight + 44));
    m_statisticsGrid->hide();
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

bool GraphLegend::eventFilter(QObject* watched, QEvent* event)
{
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
