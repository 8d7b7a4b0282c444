#include "openflow.h"

#include "mainwindow.h"
#include "modelselectionwindow.h"
#include "subwindowsize.h"

#include "data/loadeddataset.h"
#include "data/readresult.h"
#include "graph/graphlegend.h"
#include "graph/graphstyle.h"
#include "graph/graphwindow.h"
#include "graph/timeslider.h"
#include "graph/trendgraph.h"
#include "shell/errorlog.h"
#include "shell/lastfolders.h"
#include "shell/programstate.h"
#include "shell/prompts.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"
#include "table/tablewindow.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <exception>
#include <optional>

namespace qor {

namespace {

const QString OpenLogLabel = QStringLiteral("MDIFORM1.MF_Open");

SlotSubWindow* subWindowOf(QWidget* window)
{
    return window ? qobject_cast<SlotSubWindow*>(window->parentWidget()) : nullptr;
}

void hideSubWindowOf(QWidget* window)
{
    if (SlotSubWindow* frame = subWindowOf(window))
        frame->conceal();
}

} // namespace

std::optional<OpenFailure> openFailure(const QString& path, const Status& status)
{
    switch (status.code()) {
    case StatusCode::Ok:
    case StatusCode::UnknownCsvModel: // the model selection window has spoken
    case StatusCode::Cancelled:       // the user stopped the read
        return std::nullopt;
    case StatusCode::NoModelLine:
    case StatusCode::UnknownKind:
        return OpenFailure{path, stringEntry(MDIFormText::InvalidDataFile), QStringLiteral("Error"), status.message()};
    case StatusCode::OutOfMemory:
        return OpenFailure{path, QStringLiteral("Not enough memory to read %1.").arg(QDir::toNativeSeparators(path).toUpper()),
                           QStringLiteral("Error"), status.message()};
    default:
        // The program's fixed words, and what went wrong for whoever wants to know.
        return OpenFailure{path, ReadFailureMessage, ReadFailureTitle, status.message()};
    }
}

// One failure is told with its own words; several at once in one message that lists each file,
// with each file's reason in the details.
void tellOpenFailures(QWidget* parent, const QList<OpenFailure>& failures)
{
    if (failures.isEmpty())
        return;
    QStringList files;
    QStringList reasons;
    for (const OpenFailure& failure : failures) {
        files << QDir::toNativeSeparators(failure.path).toUpper();
        reasons << files.back() + QStringLiteral(": ") + failure.text + u' ' + failure.reason;
    }
    const OpenFailure& first = failures.front();
    if (failures.size() == 1)
        prompts().detailedMessage(parent, first.text.contains(files.front()) ? first.text : first.text + u'\n' + files.front(), first.title,
                                  first.reason);
    else
        prompts().detailedMessage(parent, ReadFailureMessage + u'\n' + files.join(u'\n'), ReadFailureTitle, reasons.join(u'\n'));
}

void tellOpenFailure(QWidget* parent, const OpenedRecording& opened)
{
    if (const std::optional<OpenFailure> failure = openFailure(opened.slot.FilePath, opened.status))
        tellOpenFailures(parent, {*failure});
}

OpenFlow::OpenFlow(MainWindow& mainWindow)
    : m_main(mainWindow)
{
}

void OpenFlow::MF_Open()
{
    const QStringList filters = {QStringLiteral("All Files (*.*)"), QStringLiteral("Data Files (*.csv)"),
                                 QStringLiteral("Data Files (*.log)")};
    const QString path = prompts().openFile(&m_main, lastFolder(FileDialogKind::Open), filters, 0);
    if (path.isEmpty())
        return;
    rememberFolder(FileDialogKind::Open, path);
    open(path);
}

bool OpenFlow::open(const QString& path)
{
    QList<OpenFailure> failures;
    const bool opened = open(path, failures);
    tellOpenFailures(&m_main, failures);
    return opened;
}

void OpenFlow::openAll(const QStringList& paths)
{
    QList<OpenFailure> failures;
    for (const QString& path : paths)
        open(path, failures);
    tellOpenFailures(&m_main, failures);
}

// Nothing the open meets may escape into the event loop: it is logged and told.
bool OpenFlow::open(const QString& path, QList<OpenFailure>& failures)
{
    try {
        const Status opened = openChecked(path);
        if (const std::optional<OpenFailure> failure = openFailure(path, opened))
            failures << *failure;
        return opened.ok();
    } catch (const std::exception& error) {
        const Status failure = Status::unexpected(error);
        WriteErrorLog(failure.logLine(OpenLogLabel));
        failures << OpenFailure{path, ReadFailureMessage, ReadFailureTitle, failure.message()};
        return false;
    }
}

Status OpenFlow::openChecked(const QString& path)
{
    // A file of no known kind is refused before anything of the slot changes.
    if (models::fileKindOf(path) == models::FileKind::Unknown)
        return Status::failure(StatusCode::UnknownKind, QStringLiteral("The file name ends in no known file kind."));
    const int slot = chooseSlot();
    if (slot > 2)
        return Status::cancelled(); // the combined view is current: no window list item 3 to open into
    GraphWindow& window = *graphWindow(slot);
    const Before before = stateBefore(slot);
    for (;;) {
        // The slot's window shows the busy notice; what it draws stays until the read succeeded.
        m_main.showSlotWindow(slot);
        OpenedRecording opened = openRecording(path, window.busyDisplay(), OpenLogLabel);
        for (const QString& line : opened.logLines)
            WriteErrorLog(line);
        if (opened.opened()) {
            take(slot, window, opened);
            return Status();
        }
        restore(slot, before);
        // An old CSV file gets its model line from the model selection window, then is read again.
        if (opened.status.code() == StatusCode::UnknownCsvModel && ModelSelectionWindow(path, &m_main).exec() == QDialog::Accepted)
            continue;
        return opened.status;
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
    before.fileNo = loadedData().FileNo;
    before.active = m_main.mdiArea()->activeSubWindow();
    return before;
}

// Showing the slot's window for the read activated it; the window and the current slot go back,
// and the commands follow the mode, which the read did not change.
void OpenFlow::restore(int slot, const Before& before)
{
    if (!before.windowShown)
        hideSubWindowOf(graphFormWidget(slot));
    if (before.active && before.active->isVisible())
        m_main.mdiArea()->setActiveSubWindow(before.active);
    loadedData().FileNo = before.fileNo;
    m_main.updateCommands();
}

void OpenFlow::take(int slot, GraphWindow& window, OpenedRecording& opened)
{
    window.clearForFile();
    window.takeRecording(opened);
    finish(slot, window);
    m_main.rememberRecentFile(loadedData().slot(slot).FilePath);
}

void OpenFlow::finish(int slot, GraphWindow& window)
{
    auto* table = qobject_cast<TableWindow*>(TableForm(slot));
    if (table)
        table->Load();
    window.showFile();
    if (table)
        hideSubWindowOf(table);
    m_main.updateCommands();
}

} // namespace qor
