#include "recordingopener.h"

#include "recordedfile.h"

#include <exception>
#include <new>

namespace qor {

namespace {

// What a header status means for the open, in plain words.
QString headerProblem(const recordedfile::HeaderResult& header)
{
    using enum recordedfile::HeaderStatus;
    switch (header.status) {
    case Ok:
        break;
    case UnknownKind:
        return QStringLiteral("the file is no .CSV, .LOG or .DAT file");
    case NoModelLine:
        return QStringLiteral("the first line of the CSV file does not begin with \";\"");
    case UnknownCsvModel:
        return QStringLiteral("the CSV file has no model line naming a recognised model");
    case Unreadable:
        return header.failure.value_or(QString()).trimmed();
    }
    return {};
}

OpenStatus statusOf(recordedfile::HeaderStatus status)
{
    using enum recordedfile::HeaderStatus;
    switch (status) {
    case Ok:
        return OpenStatus::Opened;
    case UnknownKind:
        return OpenStatus::UnknownKind;
    case NoModelLine:
        return OpenStatus::NoModelLine;
    case UnknownCsvModel:
        return OpenStatus::UnknownCsvModel;
    case Unreadable:
        break;
    }
    return OpenStatus::Unreadable;
}

// A log names no channel display code; its option tells whether all channels are there, so the
// readouts never show channels the file does not hold.
std::optional<int> channelDisplayCode(models::FileKind kind, const SlotData& slot, const recordedfile::HeaderResult& header)
{
    if (!models::isQor1400Family(slot.ModelName))
        return std::nullopt;
    if (kind == models::FileKind::Log)
        return slot.ModelOption.isEmpty() ? 0 : 1;
    if (kind == models::FileKind::Csv)
        return header.channelDisplayCode;
    return std::nullopt;
}

bool readHeader(OpenedRecording& opened, const QString& path, const QString& headerLogLabel)
{
    const recordedfile::HeaderResult header = recordedfile::readHeaderInto(opened.kind, path, opened.slot);
    opened.status = statusOf(header.status);
    if (opened.opened()) {
        opened.channelDisplayCode = channelDisplayCode(opened.kind, opened.slot, header);
        return true;
    }
    opened.failure = headerProblem(header);
    if (header.status == recordedfile::HeaderStatus::Unreadable || header.status == recordedfile::HeaderStatus::UnknownKind)
        opened.logLines << header.failure.value_or(QString()) + headerLogLabel;
    return false;
}

void readRecords(OpenedRecording& opened, const QString& path)
{
    const ReadResult result = recordedfile::readRecords(opened.kind, opened.drawing, path, opened.slot);
    opened.logLines << result.logLines();
    for (const QString& warning : result.warnings)
        opened.warnings << warning.trimmed();
    if (!result.ok()) {
        opened.status = OpenStatus::ReadFailed;
        opened.failure = result.failure->trimmed();
    }
}

void fail(OpenedRecording& opened, OpenStatus status, const QString& failure, const QString& logLine)
{
    opened.status = status;
    opened.failure = failure;
    opened.logLines << logLine;
}

} // namespace

OpenedRecording openRecording(const QString& path, TraceGraph& notice, const QString& headerLogLabel)
{
    OpenedRecording opened(notice);
    opened.kind = models::fileKindOf(path);
    opened.slot.FilePath = path;
    try {
        if (readHeader(opened, path, headerLogLabel))
            readRecords(opened, path);
    } catch (const std::bad_alloc&) {
        const QString failure = QStringLiteral("not enough memory to read %1").arg(path);
        fail(opened, OpenStatus::OutOfMemory, failure, failure + u' ' + headerLogLabel);
    } catch (const std::exception& error) {
        const QString failure = QString::fromLocal8Bit(error.what());
        fail(opened, OpenStatus::ReadFailed, failure, failure + u' ' + headerLogLabel);
    }
    // A failed open keeps no records: the memory of a partial read goes at once.
    if (!opened.opened())
        opened.slot.clearRecords();
    return opened;
}

} // namespace qor
