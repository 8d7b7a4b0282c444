#include "csvcommand.h"

#include "data/busynotice.h"
#include "data/recordingopener.h"
#include "output/csvexport.h"
#include "shell/errorlog.h"
#include "shell/graphsettings.h"
#include "shell/stringtable.h"

#include <tuple>

namespace qor {

namespace {

const QString ExportCommandLogLabel = QStringLiteral("TraceReader --export");

int fail(std::FILE* err, const QString& reason)
{
    std::fputs(qPrintable(reason + u'\n'), err);
    return 1;
}

} // namespace

int runExport(const QString& path, const QString& outputPath, std::FILE* err)
{
    // Without a settings file the export runs in English designators.
    std::ignore = LoadGraphSettings();
    std::ignore = LoadStringTable();
    if (!output::isExportable(models::fileKindOf(path))) {
        const QString refusal = stringEntry(MDIFormText::OnlyLogAndDatExport);
        return fail(err, refusal.isEmpty() ? QStringLiteral("Only .LOG and .DAT files can be exported.") : refusal);
    }
    NoBusyDisplay noWindow;
    const OpenedRecording opened = openRecording(path, noWindow, ExportCommandLogLabel);
    for (const QString& line : opened.logLines)
        WriteErrorLog(line);
    if (!opened.opened())
        return fail(err, QStringLiteral("Cannot read %1: %2").arg(path, opened.status.message()));
    const Status exported = output::FuncWriteExcelFile(opened.slot, outputPath, interfaceAmPm());
    logIfFailed(exported, output::ExportLogLabel);
    if (!exported.ok())
        return fail(err, QStringLiteral("Cannot write %1: %2").arg(outputPath, exported.message()));
    return 0;
}

} // namespace qor
