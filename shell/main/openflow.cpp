#include "openflow.h"

#include "mainwindow.h"
#include "modelselectionwindow.h"

#include "data/loadeddataset.h"
#include "data/readresult.h"
#include "graph/graphlegend.h"
#include "graph/graphstyle.h"
#include "graph/graphwindow.h"
#include "graph/timeslider.h"
#include "graph/trendgraph.h"
#include "shell/apppath.h"
#include "shell/errorlog.h"
#include "shell/programstate.h"
#include "shell/prompts.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"
#include "table/tablewindow.h"

#include <QAction>
#include <QFrame>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <exception>

namespace qor {

namespace {

const QString OpenLogLabel = QStringLiteral("MDIFORM1.MF_Open");

QMdiSubWindow* subWindowOf(QWidget* window)
{
    return window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr;
}

void hideSubWindowOf(QWidget* window)
{
    if (QMdiSubWindow* frame = subWindowOf(window))
        frame->hide();
}

} // namespace

void tellOpenFailure(QWidget* parent, const OpenedRecording& opened)
{
    switch (opened.status.code()) {
    case StatusCode::Ok:
    case StatusCode::UnknownCsvModel: // the model selection window has spoken
    case StatusCode::Cancelled:       // the user stopped the read
        return;
    case StatusCode::NoModelLine:
    case StatusCode::UnknownKind:
        prompts().message(parent, stringEntry(MDIFormText::InvalidDataFile), QStringLiteral("Error"));
        return;
    case StatusCode::OutOfMemory:
        prompts().message(parent, QStringLiteral("Not enough memory to read %1.").arg(opened.slot.FilePath.toUpper()),
                          QStringLiteral("Error"));
        return;
    default:
        // The program's fixed words, and what went wrong for whoever wants to know.
        prompts().detailedMessage(parent, ReadFailureMessage, ReadFailureTitle, opened.status.message());
        return;
    }
}

OpenFlow::OpenFlow(MainWindow& mainWindow)
    : m_main(mainWindow)
{
}

void OpenFlow::MF_Open()
{
    const QStringList filters = {QStringLiteral("All Files (*.*)"), QStringLiteral("Data Files (*.csv)"),
                                 QStringLiteral("Data Files (*.log)")};
    const QString path = prompts().openFile(&m_main, AppPath(), filters, 0);
    if (!path.isEmpty())
        open(path);
}

// Nothing the open meets may escape into the event loop: it is logged and told.
bool OpenFlow::open(const QString& path)
{
    try {
        return openChecked(path);
    } catch (const std::exception& error) {
        const Status failure = Status::unexpected(error);
        WriteErrorLog(failure.logLine(OpenLogLabel));
        prompts().detailedMessage(&m_main, ReadFailureMessage, ReadFailureTitle, failure.message());
        return false;
    }
}

bool OpenFlow::openChecked(const QString& path)
{
    // A file of no known kind is refused before anything of the slot changes.
    if (models::fileKindOf(path) == models::FileKind::Unknown) {
        prompts().message(&m_main, stringEntry(MDIFormText::InvalidDataFile), QStringLiteral("Error"));
        return false;
    }
    const int slot = chooseSlot();
    if (slot > 2)
        return false; // the combined view is current: no window list item 3 to open into
    GraphWindow& window = *graphWindow(slot);
    const Before before = stateBefore(slot);
    for (;;) {
        // The slot's window shows the busy notice; what it draws stays until the read succeeded.
        m_main.showSlotWindow(slot);
        OpenedRecording opened = openRecording(path, window.readerTarget(), OpenLogLabel);
        for (const QString& line : opened.logLines)
            WriteErrorLog(line);
        if (opened.opened()) {
            take(slot, window, opened);
            return true;
        }
        restore(slot, before);
        // An old CSV file gets its model line from the model selection window, then is read again.
        if (opened.status.code() == StatusCode::UnknownCsvModel && ModelSelectionWindow(path, &m_main).exec() == QDialog::Accepted)
            continue;
        tellOpenFailure(&m_main, opened);
        return false;
    }
}

void OpenFlow::show(OpenedRecording& opened)
{
    const int slot = chooseSlot();
    if (GraphWindow* window = slot <= 2 ? graphWindow(slot) : nullptr) {
        m_main.showSlotWindow(slot);
        take(slot, *window, opened);
    }
}

// Slot 1 or 2, whichever is free; with both in use, the one whose graph window is active, or else
// the current slot.
int OpenFlow::chooseSlot() const
{
    const bool first = SlotLoaded(1);
    const bool second = SlotLoaded(2);
    if (!first || !second)
        return first ? 2 : 1;
    const QMdiSubWindow* active = m_main.mdiArea()->activeSubWindow();
    const QString name = active && active->widget() ? active->widget()->objectName() : QString();
    if (name == u"frmDataGraph_1")
        return 1;
    if (name == u"frmDataGraph_2")
        return 2;
    return loadedData().FileNo;
}

OpenFlow::Before OpenFlow::stateBefore(int slot) const
{
    Before before;
    const QMdiSubWindow* frame = subWindowOf(graphFormWidget(slot));
    before.windowShown = frame && frame->isVisible();
    before.slotLoaded = SlotLoaded(slot);
    before.fileNo = loadedData().FileNo;
    before.active = m_main.mdiArea()->activeSubWindow();
    for (QAction* action : m_main.allCommands())
        before.commands.push_back({action, action->isEnabled(), action->isChecked(), action->isVisible(), action->text()});
    return before;
}

// Showing the slot's window for the read activated it; everything that changed goes back.
void OpenFlow::restore(int slot, const Before& before)
{
    if (!before.windowShown)
        hideSubWindowOf(graphFormWidget(slot));
    if (before.active && before.active->isVisible())
        m_main.mdiArea()->setActiveSubWindow(before.active);
    setSlotLoaded(slot, before.slotLoaded);
    loadedData().FileNo = before.fileNo;
    for (const Before::Command& command : before.commands) {
        if (!command.action)
            continue;
        command.action->setEnabled(command.enabled);
        command.action->setChecked(command.checked);
        command.action->setVisible(command.visible);
        command.action->setText(command.text);
    }
}

void OpenFlow::take(int slot, GraphWindow& window, OpenedRecording& opened)
{
    window.clearForFile();
    loadedData().FileNo = static_cast<qint16>(slot);
    SlotData& data = loadedData().slot(slot);
    data = std::move(opened.slot);
    m_main.setWindowListCaption(slot, data.FilePath);
    opened.drawing.replay(window.readerTarget());
    if (opened.channelDisplayCode)
        window.setChannelDisplayCode(*opened.channelDisplayCode);
    window.showChannelLegend(models::legendEntries(opened.kind, data.ModelName, data.ModelOption));
    finish(slot, window);
    m_main.rememberRecentFile(data.FilePath);
}

void OpenFlow::finish(int slot, GraphWindow& window)
{
    auto* table = qobject_cast<TableWindow*>(TableForm(slot));
    if (table)
        table->Load();
    window.showFile();
    if (table)
        hideSubWindowOf(table);
    m_main.setFileCommandsEnabled(true);
}

} // namespace qor
