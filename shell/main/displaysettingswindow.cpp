#include "displaysettingswindow.h"

#include "data/loadeddataset.h"
#include "data/modelseries.h"
#include "data/numbertext.h"
#include "shell/bgrcolor.h"
#include "shell/errorlog.h"
#include "shell/graphsettings.h"
#include "shell/programstate.h"
#include "shell/prompts.h"
#include "shell/stringtable.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>

namespace qor {

namespace {

constexpr std::array<qint32, DisplaySettingsWindow::SwatchCount> DefaultColors = {
    0xFF, 0xFF00FF, 0xFFC0FF, 0xFF8080, 0xFFFF80, 0xC0FFFF, 0xC00000, 0x80FFFF, 0xC0C000, 0xFF, 0x80FF, 0xFFFFFF};

constexpr int SwatchCellWidth = 88;

// The channel label of each swatch row: Label1(1), Label1(2), Label1(14).
constexpr std::array<int, 3> ChannelLabel = {1, 2, 14};

} // namespace

DisplaySettingsWindow::DisplaySettingsWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDataGraphSet"));
    buildControls();
    applyStrings();
    const GraphSettings& settings = graphSettings();
    for (int i = 1; i <= 9; ++i)
        setSwatch(i, settings.PlotColor[static_cast<std::size_t>(i - 1)]);
    setSwatch(10, settings.TempColor);
    setSwatch(11, settings.OutputColor);
    setSwatch(12, settings.TimeColor);
    showChannelsOfCurrentFile();
    m_pvZoom[0]->setText(QString::number(settings.PVRange.minimum, 'g', 15));
    m_pvZoom[1]->setText(QString::number(settings.PVRange.maximum, 'g', 15));
}

void DisplaySettingsWindow::buildControls()
{
    for (std::size_t i = 0; i < m_label1.size(); ++i) {
        m_label1[i] = new QLabel(this);
        m_label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
    }
    auto swatchCell = [this](int index) {
        auto* cell = new QWidget(this);
        cell->setFixedWidth(SwatchCellWidth);
        auto* row = new QHBoxLayout(cell);
        row->setContentsMargins(0, 0, 0, 0);
        QFrame*& swatch = m_swatches[static_cast<std::size_t>(index - 1)];
        swatch = new QFrame(cell);
        swatch->setObjectName(QStringLiteral("Shape%1").arg(index));
        swatch->setFixedSize(48, 20);
        swatch->setFrameShape(QFrame::Box);
        swatch->setAutoFillBackground(true);
        QPushButton*& button = m_colorButtons[static_cast<std::size_t>(index - 1)];
        button = new QPushButton(QStringLiteral("…"), cell);
        button->setObjectName(QStringLiteral("Command3_%1").arg(index));
        button->setFixedWidth(28);
        connect(button, &QPushButton::clicked, this, [this, index] { chooseColor(index); });
        row->addWidget(swatch);
        row->addWidget(button);
        return cell;
    };

    auto* plots = new QGroupBox(this);
    auto* plotGrid = new QVBoxLayout(plots);
    auto* header = new QHBoxLayout;
    header->addSpacing(110);
    for (int label : {7, 8, 9}) {
        QLabel* title = m_label1[static_cast<std::size_t>(label)];
        title->setFixedWidth(SwatchCellWidth);
        title->setAlignment(Qt::AlignCenter);
        header->addWidget(title);
    }
    plotGrid->addWidget(m_label1[0]);
    plotGrid->addLayout(header);
    for (int row = 0; row < 3; ++row) {
        QFrame*& frame = m_channelRows[static_cast<std::size_t>(row)];
        frame = new QFrame(plots);
        frame->setObjectName(QStringLiteral("Frame%1").arg(row + 1));
        auto* line = new QHBoxLayout(frame);
        line->setContentsMargins(0, 0, 0, 0);
        QLabel* name = m_label1[static_cast<std::size_t>(ChannelLabel[static_cast<std::size_t>(row)])];
        name->setFixedWidth(110);
        line->addWidget(name);
        for (int column = 1; column <= 3; ++column)
            line->addWidget(swatchCell(row * 3 + column));
        plotGrid->addWidget(frame);
    }

    auto* axes = new QGroupBox(this);
    auto* axisGrid = new QGridLayout(axes);
    for (int i = 10; i <= 12; ++i) {
        axisGrid->addWidget(m_label1[static_cast<std::size_t>(i)], i - 10, 0);
        axisGrid->addWidget(swatchCell(i), i - 10, 1);
    }

    auto* scale = new QGroupBox(this);
    auto* scaleGrid = new QGridLayout(scale);
    for (std::size_t i = 0; i < m_label3.size(); ++i) {
        m_label3[i] = new QLabel(this);
        m_label3[i]->setObjectName(QStringLiteral("Label3_%1").arg(i));
    }
    for (std::size_t i = 0; i < m_pvZoom.size(); ++i) {
        m_pvZoom[i] = new QLineEdit(scale);
        m_pvZoom[i]->setObjectName(QStringLiteral("PVZoom_%1").arg(i));
        m_pvZoom[i]->installEventFilter(this);
    }
    scaleGrid->addWidget(m_label3[0], 0, 0, 1, 2);
    scaleGrid->addWidget(m_label3[1], 1, 0);
    scaleGrid->addWidget(m_pvZoom[1], 1, 1);
    scaleGrid->addWidget(m_label3[2], 2, 0);
    scaleGrid->addWidget(m_pvZoom[0], 2, 1);

    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("Command1"));
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("Command2"));
    m_defaults = new QPushButton(this);
    m_defaults->setObjectName(QStringLiteral("Command4"));
    connect(m_ok, &QPushButton::clicked, this, &DisplaySettingsWindow::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_defaults, &QPushButton::clicked, this, &DisplaySettingsWindow::restoreDefaults);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_defaults);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* side = new QVBoxLayout;
    side->addWidget(axes);
    side->addWidget(scale);
    auto* body = new QHBoxLayout;
    body->addWidget(plots);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
}

void DisplaySettingsWindow::applyStrings()
{
    setWindowTitle(stringEntry(GraphSetText::TrendDisplaySettings));
    using enum GraphSetText;
    const std::array<std::pair<int, GraphSetText>, 7> labels = {
        {{0, TrendColors}, {7, PV}, {8, SP}, {9, MV}, {10, TemperatureAxis}, {11, OutputAxis}, {12, TimeAxis}}};
    for (const auto& [label, key] : labels)
        m_label1[static_cast<std::size_t>(label)]->setText(stringEntry(key));
    // Scale, Maximum, Minimum.
    for (int i = 0; i < 3; ++i)
        m_label3[static_cast<std::size_t>(i)]->setText(stringEntry(keyAfter(Scale, i)));
    m_ok->setText(stringEntry(OK));
    m_cancel->setText(stringEntry(Cancel));
    m_defaults->setText(stringEntry(Defaults));
}

// Names the channel rows after the current slot's recorder and shows only the swatches of the
// plots its file draws (all of them when no file is open).
void DisplaySettingsWindow::showChannelsOfCurrentFile()
{
    const SlotData& slot = loadedData().current();
    const std::array<models::ChannelName, 3> names = models::settingsChannelNames(slot.traits(), slot.AllChannels);
    for (std::size_t row = 0; row < names.size(); ++row) {
        const QString key = names[row].graphSetKey ? stringEntry(*names[row].graphSetKey) : QString();
        m_label1[static_cast<std::size_t>(ChannelLabel[row])]->setText(names[row].text + key);
    }

    if (slot.RecordCount == 0)
        return;
    std::array<bool, 9> drawn{};
    for (const models::PlotAssignment& p : slot.Plan.plots)
        drawn[static_cast<std::size_t>(p.plot - 1)] = true;
    for (int i = 1; i <= 9; ++i) {
        m_swatches[static_cast<std::size_t>(i - 1)]->setVisible(drawn[static_cast<std::size_t>(i - 1)]);
        m_colorButtons[static_cast<std::size_t>(i - 1)]->setVisible(drawn[static_cast<std::size_t>(i - 1)]);
    }
    for (std::size_t row = 0; row < m_channelRows.size(); ++row)
        m_channelRows[row]->setVisible(drawn[row * 3] || drawn[row * 3 + 1] || drawn[row * 3 + 2]);
}

qint32 DisplaySettingsWindow::swatchColor(int index) const
{
    return m_colors.at(static_cast<std::size_t>(index - 1));
}

void DisplaySettingsWindow::setSwatch(int index, qint32 color)
{
    m_colors.at(static_cast<std::size_t>(index - 1)) = color;
    QFrame* swatch = m_swatches.at(static_cast<std::size_t>(index - 1));
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, fromBgr(color));
    palette.setColor(QPalette::WindowText, fromBgr(color));
    swatch->setPalette(palette);
}

void DisplaySettingsWindow::chooseColor(int index)
{
    if (const std::optional<QColor> chosen = prompts().color(this, fromBgr(swatchColor(index))))
        setSwatch(index, toBgr(*chosen));
}

void DisplaySettingsWindow::restoreDefaults()
{
    for (int i = 1; i <= SwatchCount; ++i)
        setSwatch(i, DefaultColors[static_cast<std::size_t>(i - 1)]);
    m_pvZoom[0]->setText(QStringLiteral("0"));
    m_pvZoom[1]->setText(QStringLiteral("300"));
}

// The range boxes take digits, "-", "." and backspace only; leaving one checks the range.
bool DisplaySettingsWindow::eventFilter(QObject* watched, QEvent* event)
{
    const int box = watched == m_pvZoom[0] ? 0 : watched == m_pvZoom[1] ? 1 : -1;
    if (box < 0)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        const bool typed = !text.isEmpty() && text.front().isPrint();
        const bool allowed = text.size() == 1 && (text.front().isDigit() || text == u"-" || text == u".");
        return typed && !allowed;
    }
    if (event->type() == QEvent::FocusOut)
        checkRange(box);
    return QDialog::eventFilter(watched, event);
}

void DisplaySettingsWindow::checkRange(int box)
{
    if (numbers::leadingNumber(m_pvZoom[0]->text()) < numbers::leadingNumber(m_pvZoom[1]->text()))
        return;
    prompts().message(this, m_label3[2]->text() + u'/' + m_label3[1]->text() + QStringLiteral(" Error"), windowTitle());
    m_pvZoom[static_cast<std::size_t>(box)]->setText(box == 0 ? QStringLiteral("0") : QStringLiteral("500"));
    QTimer::singleShot(0, m_pvZoom[static_cast<std::size_t>(box)], qOverload<>(&QWidget::setFocus));
}

void DisplaySettingsWindow::accept()
{
    GraphSettings& settings = graphSettings();
    settings.PVRange = {numbers::leadingNumber(m_pvZoom[0]->text()), numbers::leadingNumber(m_pvZoom[1]->text())};
    for (int i = 1; i <= 9; ++i)
        settings.PlotColor[static_cast<std::size_t>(i - 1)] = std::abs(swatchColor(i));
    settings.TempColor = std::abs(swatchColor(10));
    settings.OutputColor = std::abs(swatchColor(11));
    settings.TimeColor = std::abs(swatchColor(12));
    logIfFailed(SaveGraphSettings(), QStringLiteral("frmDataGraphSet.Command1_Click"));
    Q_EMIT applied();
    QDialog::accept();
}

} // namespace qor
