#include "exportcommand.h"

#include "data/busynotice.h"
#include "graph/graphwindow.h"
#include "output/csvexport.h"
#include "shell/errorlog.h"
#include "shell/graphsettings.h"
#include "shell/lastfolders.h"
#include "shell/programstate.h"
#include "shell/prompts.h"
#include "shell/stringtable.h"

#include <QDir>

namespace qor {

namespace {

QString askForOutputFile(QWidget* parent)
{
    const QStringList filters = {QStringLiteral("All Files (*.*)"), QStringLiteral("Excel Files (*.csv)")};
    const QString chosen = prompts().saveFile(parent, lastFolder(FileDialogKind::Export), filters, 1);
    if (!chosen.isEmpty())
        rememberFolder(FileDialogKind::Export, chosen);
    return chosen;
}

Status exportWithBusyNotice(const SlotData& slot, int slotNumber, const QString& outputPath)
{
    NoBusyDisplay noWindow;
    GraphWindow* window = slotNumber <= 2 ? graphWindow(slotNumber) : nullptr;
    BusyNotice busy(window ? window->busyDisplay() : static_cast<BusyDisplay&>(noWindow), BinaryBusyDots, Cancellable::Yes);
    return output::FuncWriteExcelFile(slot, outputPath, interfaceAmPm(), [&busy](double fraction) { return busy.progress(fraction); });
}

} // namespace

void exportCurrentSlot(QWidget* parent)
{
    const int slotNumber = loadedData().FileNo;
    const SlotData& slot = loadedData().slot(slotNumber);
    if (!output::isExportable(slot.Kind)) {
        prompts().message(parent, stringEntry(MDIFormText::OnlyLogAndDatExport), QStringLiteral("File Name Check"));
        return;
    }
    const QString outputPath = askForOutputFile(parent);
    if (outputPath.isEmpty())
        return;
    const Status exported = exportWithBusyNotice(slot, slotNumber, outputPath);
    if (exported.ok() || exported.code() == StatusCode::Cancelled)
        return;
    logIfFailed(exported, output::ExportLogLabel);
    prompts().failure(parent, QStringLiteral("%1 could not be written. %2").arg(QDir::toNativeSeparators(outputPath), exported.message()),
                      QStringLiteral("Error"));
}

} // namespace qor
