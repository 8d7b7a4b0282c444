#include "dumpcommand.h"

#include "data/datetime.h"
#include "data/nullgraph.h"
#include "data/recordedfile.h"
#include "shell/errorlog.h"

#include <string>

namespace qor {

namespace {

std::optional<QString> headerProblem(const recordedfile::HeaderResult& header)
{
    using enum recordedfile::HeaderStatus;
    switch (header.status) {
    case Ok:
        return std::nullopt;
    case UnknownKind:
        return QStringLiteral("the file is no .CSV, .LOG or .DAT file");
    case NoModelLine:
        return QStringLiteral("the first line of the CSV file does not begin with \";\"");
    case UnknownCsvModel:
        return QStringLiteral("the CSV file has no model line naming a recognised model");
    case Unreadable:
        return header.failure.value_or(QString()).trimmed();
    }
    return std::nullopt;
}

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
    const models::FileKind kind = models::fileKindOf(path);
    SlotData slot;
    slot.FilePath = path;
    if (const std::optional<QString> problem = headerProblem(recordedfile::readHeaderInto(kind, path, slot))) {
        print(err, QStringLiteral("Cannot read %1: %2\n").arg(path, *problem));
        return 1;
    }
    NullGraph graph;
    const ReadResult result = recordedfile::readRecords(kind, graph, path, slot);
    for (const QString& line : result.logLines())
        WriteErrorLog(line);
    for (const QString& warning : result.warnings)
        print(err, QStringLiteral("Warning: %1\n").arg(warning.trimmed()));
    if (!result.ok()) {
        print(err, QStringLiteral("Cannot read %1: %2\n").arg(path, result.failure->trimmed()));
        return 1;
    }
    print(out, QStringLiteral("model: %1\noption: %2\nrecords: %3\nfirst: %4\nlast: %5\n")
                   .arg(slot.ModelName, slot.ModelOption)
                   .arg(slot.RecordCount)
                   .arg(datetime::isoText(*slot.FirstTime), datetime::isoText(*slot.LastTime)));
    printRecords(slot, out);
    return 0;
}

} // namespace qor
