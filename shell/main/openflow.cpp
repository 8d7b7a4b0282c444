#include "openflow.h"

#include "mainwindow.h"
#include "modelselectionwindow.h"

#include "data/loadeddataset.h"
#include "data/recordedfile.h"
#include "graph/graphlegend.h"
#include "graph/graphwindow.h"
#include "graph/legendstate.h"
#include "graph/timeslider.h"
#include "graph/trendgraph.h"
#include "graph/zoomhistory.h"
#include "shell/apppath.h"
#include "shell/errorlog.h"
#include "shell/prompts.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"
#include "table/tablewindow.h"

#include <QFrame>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace qor {

namespace {

const QString OpenLogLabel = QStringLiteral("MDIFORM1.MF_Open");
const QString AxisTimeFormat = QStringLiteral("mm/dd hh:nn:ss");

void hideSubWindowOf(QWidget* window)
{
    if (auto* frame = window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr)
        frame->hide();
}

} // namespace

OpenFlow::OpenFlow(MainWindow& mainWindow)
    : m_main(mainWindow)
{
}

void OpenFlow::MF_Open()
{
    const QStringList filters = {QStringLiteral("All Files (*.*)"), QStringLiteral("Data Files (*.csv)"), QStringLiteral("Data Files (*.log)")};
    const QString path = prompts().openFile(&m_main, AppPath(), filters, 0);
    if (!path.isEmpty())
        open(path);
}

bool OpenFlow::open(const QString& path)
{
    // A file of no known kind is refused before anything of the slot changes.
    if (models::fileKindOf(path) == models::FileKind::Unknown) {
        prompts().message(&m_main, stringEntry(StringSection::MDIForm, 14), QStringLiteral("Error"));
        return false;
    }
    const int slot = chooseSlot();
    if (slot > 2)
        return false; // the combined view is current: no window list item 3 to open into
    loadedData().FileNo = static_cast<qint16>(slot);
    m_main.setWindowListCaption(slot, path);
    loadedData().slot(slot).FilePath = path;
    return readInto(slot, path);
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

bool OpenFlow::readInto(int slot, const QString& path)
{
    GraphWindow& window = *graphWindow(slot);
    SlotData& data = loadedData().slot(slot);
    const models::FileKind kind = models::fileKindOf(path);
    prepareWindow(slot, window);
    if (kind == models::FileKind::Csv && !recogniseCsv(slot, path, window))
        return false;
    if (kind == models::FileKind::Log) {
        const recordedfile::HeaderResult header = recordedfile::readHeaderInto(kind, path, data);
        if (header.failure) {
            WriteErrorLog(*header.failure + OpenLogLabel);
            fail(slot, ReadFailureMessage, ReadFailureTitle);
            return false;
        }
        // A log names no channel display code; its option tells whether all channels are there, so
        // the readouts never show channels the file does not hold.
        if (models::isQor1400Family(data.ModelName))
            window.setLabel3(5, data.ModelOption.isEmpty() ? QStringLiteral("0") : QStringLiteral("1"));
    }
    const ReadResult result = recordedfile::readRecords(kind, window, path, data);
    for (const QString& line : result.logLines())
        WriteErrorLog(line);
    if (!result.ok()) {
        fail(slot, ReadFailureMessage, ReadFailureTitle);
        return false;
    }
    showChannels(window, models::legendEntries(kind, data.ModelName, data.ModelOption));
    finish(slot, window);
    return true;
}

// Reads a CSV file's model and option lines. An old file without a model line goes through the
// model selection window first; false when the open ends here.
bool OpenFlow::recogniseCsv(int slot, const QString& path, GraphWindow& window)
{
    SlotData& data = loadedData().slot(slot);
    for (;;) {
        const recordedfile::HeaderResult header = recordedfile::readHeaderInto(models::FileKind::Csv, path, data);
        switch (header.status) {
        case recordedfile::HeaderStatus::Ok:
            if (models::isQor1400Family(data.ModelName))
                window.setLabel3(5, QString::number(header.channelDisplayCode));
            return true;
        case recordedfile::HeaderStatus::NoModelLine:
            fail(slot, stringEntry(StringSection::MDIForm, 14), QStringLiteral("Error"));
            return false;
        case recordedfile::HeaderStatus::UnknownCsvModel:
            if (ModelSelectionWindow(path, &m_main).exec() == QDialog::Accepted) {
                prepareWindow(slot, window);
                continue;
            }
            abandon(slot);
            return false;
        case recordedfile::HeaderStatus::UnknownKind:
        case recordedfile::HeaderStatus::Unreadable:
            WriteErrorLog(header.failure.value_or(QString()) + OpenLogLabel);
            fail(slot, ReadFailureMessage, ReadFailureTitle);
            return false;
        }
    }
}

// The slot's graph window, shown and cleared of the previous file's legend and cursors.
void OpenFlow::prepareWindow(int slot, GraphWindow& window)
{
    if (!window.isLoaded())
        window.load();
    m_main.showSlotWindow(slot);
    loadedData().slot(slot).PrintComment.clear();
    window.legend()->group(1)->hide();
    window.CWSlide7()->hide();
    for (int item = 1; item <= 9; ++item)
        window.legend()->setItemVisible(item, false);
    window.cursors().HideSingleCursor();
    window.cursors().HideRangeCursors();
}

void OpenFlow::showChannels(GraphWindow& window, int count)
{
    for (int item = 1; item <= count; ++item)
        window.legend()->setItemVisible(item, true);
}

void OpenFlow::finish(int slot, GraphWindow& window)
{
    auto* table = qobject_cast<TableWindow*>(TableForm(slot));
    if (table)
        table->Load();
    window.cursors().HideSingleCursor();
    window.cursors().HideRangeCursors();
    for (int channel = 1; channel <= 3; ++channel)
        window.legend()->group(channel)->show();
    window.ApplyGraphStrings();
    const SlotData& data = loadedData().slot(slot);
    window.CWGraph1()->setTrackMode(TrendGraph::TrackNone);
    window.CWGraph1()->axis(GraphAxis::Time).setFormatString(AxisTimeFormat);
    window.CWSlide7()->axis().setFormatString(AxisTimeFormat);
    window.CWSlide7()->axis().setMinMax(*data.FirstTime, *data.LastTime);
    window.legend()->show();
    window.setLabel3(0, QStringLiteral("1"));
    zoomHistory(slot).reset();
    for (const char* name : {"MF_FileInfo", "MF_Excel", "MF_Preview", "MF_SnippingTool", "MF_Print"})
        m_main.setMenuEnabled(QString::fromLatin1(name), true);
    if (table)
        hideSubWindowOf(table);
    if (!data.FilePath.isEmpty())
        m_main.setFileCommandsEnabled(true);
}

// An open that ended early leaves the slot without a file, and the file commands as the files
// still open want them (showing the slot's window had switched them on).
void OpenFlow::abandon(int slot)
{
    loadedData().slot(slot).FilePath.clear();
    m_main.setWindowListCaption(slot, {});
    if (GraphWindow* window = graphWindow(slot))
        window->legend()->show();
    const auto holdsFile = [](int s) { return !loadedData().slot(s).FilePath.isEmpty() && loadedData().slot(s).RecordCount > 0; };
    m_main.setFileCommandsEnabled(holdsFile(1) || holdsFile(2));
}

// An open that failed is told to the user.
void OpenFlow::fail(int slot, const QString& message, const QString& title)
{
    abandon(slot);
    prompts().message(&m_main, message, title);
}

} // namespace qor
