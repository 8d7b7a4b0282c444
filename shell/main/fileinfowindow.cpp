#include "fileinfowindow.h"

#include "data/datetime.h"
#include "data/loadeddataset.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "shell/graphsettings.h"
#include "shell/programstate.h"
#include "shell/stringtable.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qor {

namespace {

qint16& printSwitch(int n)
{
    return graphSettings().PrintInfo[static_cast<std::size_t>(n - 1)];
}

} // namespace

FileInfoWindow::FileInfoWindow(GraphWindow& graph, QWidget* parent)
    : QDialog(parent)
    , m_graph(graph)
{
    setObjectName(QStringLiteral("frmFileInfo"));
    // A dialog: a title and a close button, no minimise or maximise button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    buildControls();
    applyStrings();
    showFacts();
}

void FileInfoWindow::buildControls()
{
    auto* grid = new QGridLayout;
    for (int n = 1; n <= SwitchCount; ++n) {
        auto* box = new QCheckBox(this);
        box->setObjectName(QStringLiteral("Check1_%1").arg(n));
        box->setChecked(printSwitch(n) != 0);
        connect(box, &QCheckBox::toggled, this, [n](bool on) { printSwitch(n) = on ? 1 : 0; });
        m_switches[static_cast<std::size_t>(n - 1)] = box;
        grid->addWidget(box, n - 1, 0);
    }
    for (int n = 1; n <= 4; ++n) {
        auto* fact = new QLabel(this);
        fact->setObjectName(QStringLiteral("Label2_%1").arg(n));
        fact->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_facts[static_cast<std::size_t>(n - 1)] = fact;
        grid->addWidget(fact, n - 1, 1);
    }
    m_comment = new QLineEdit(this);
    m_comment->setObjectName(QStringLiteral("Text1"));
    m_comment->setMinimumWidth(360);
    grid->addWidget(m_comment, SwitchCount - 1, 1);

    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("Command1"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("Command2"));
    connect(m_ok, &QPushButton::clicked, this, &FileInfoWindow::accept);
    connect(m_cancel, &QPushButton::clicked, this, &FileInfoWindow::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void FileInfoWindow::applyStrings()
{
    setWindowTitle(stringEntry(FileinfoText::FileInformation));
    for (int n = 1; n <= SwitchCount; ++n)
        m_switches[static_cast<std::size_t>(n - 1)]->setText(u' ' + stringEntry(keyAfter(FileinfoText::FileName, n - 1)));
    m_ok->setText(stringEntry(FileinfoText::OK));
    m_cancel->setText(stringEntry(FileinfoText::Cancel));
}

// The range shown now, zoom included; a relative axis shows its range as dates.
void FileInfoWindow::showFacts()
{
    const SlotData& file = loadedData().slot(m_graph.slot());
    const TrendAxis& time = m_graph.CWGraph1()->axis(GraphAxis::Time);
    const datetime::AmPm amPm = interfaceAmPm();
    m_facts[0]->setText(file.FilePath.toUpper());
    m_facts[1]->setText(file.ModelName());
    m_facts[2]->setText(datetime::format(time.minimum(), TimePattern, amPm));
    m_facts[3]->setText(datetime::format(time.maximum(), TimePattern, amPm));
}

void FileInfoWindow::accept()
{
    for (int n = 1; n <= SwitchCount; ++n)
        saveSetting(u"Print_Set", QStringLiteral("Print_Info_%1").arg(n), QString::number(printSwitch(n)));
    SlotData& file = loadedData().slot(m_graph.slot());
    file.PrintComment = m_comment->text();
    m_graph.Label4(2)->setText(stringEntry(FileinfoText::PrintComment) + QStringLiteral(" :  ") + file.PrintComment);
    QDialog::accept();
}

} // namespace qor
