#include "dumpcommand.h"

#include "data/busynotice.h"
#include "data/datetime.h"
#include "data/recordingopener.h"
#include "shell/errorlog.h"

#include <string>

namespace qor {

namespace {

const QString DumpLogLabel = QStringLiteral("TraceReader --dump");

void print(std::FILE* out, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out);
}

void printRecords(const SlotData& slot, std::FILE* out)
{
    std::vector<ColumnPtr> filled;
    for (const ColumnPtr& column : slot.TraceData.values) {
        if (column->isFilled())
            filled.push_back(column);
    }
    const TimeColumn& times = *slot.TraceData.TimeValue;
    QString line;
    for (qsizetype r = 0; r < slot.RecordCount; ++r) {
        line = datetime::isoText(times[static_cast<std::size_t>(r)]);
        for (const ColumnPtr& column : filled)
            line += u'\t' + column->text(r);
        line += u'\n';
        print(out, line);
    }
}

} // namespace

int runDump(const QString& path, std::FILE* out, std::FILE* err)
{
    NoBusyDisplay noWindow;
    const OpenedRecording opened = openRecording(path, noWindow, DumpLogLabel);
    for (const QString& line : opened.logLines)
        WriteErrorLog(line);
    for (const Status& warning : opened.warnings)
        print(err, QStringLiteral("Warning: %1\n").arg(warning.message()));
    if (!opened.opened()) {
        print(err, QStringLiteral("Cannot read %1: %2\n").arg(path, opened.status.message()));
        return 1;
    }
    const SlotData& slot = opened.slot;
    print(out, QStringLiteral("model: %1\noption: %2\nrecords: %3\nfirst: %4\nlast: %5\n")
                   .arg(slot.ModelName(), slot.ModelOption)
                   .arg(slot.RecordCount)
                   .arg(datetime::isoText(*slot.FirstTime), datetime::isoText(*slot.LastTime)));
    printRecords(slot, out);
    return 0;
}

} // namespace qor
