#include "recordingopener.h"

#include "recordedfile.h"

#include <exception>
#include <new>
#include <utility>

namespace qor {

namespace {

// A log names no channel display code; its option tells whether all channels are there, so the
// readouts never show channels the file does not hold.
std::optional<int> channelDisplayCode(models::FileKind kind, const SlotData& slot, const recordedfile::HeaderFacts& header)
{
    if (!models::isQor1400Family(slot.traits()))
        return std::nullopt;
    if (kind == models::FileKind::Log)
        return slot.ModelOption.isEmpty() ? 0 : 1;
    if (kind == models::FileKind::Csv)
        return header.channelDisplayCode;
    return std::nullopt;
}

bool readHeader(OpenedRecording& opened, const QString& path, const QString& headerLogLabel)
{
    const Result<recordedfile::HeaderFacts> header = recordedfile::readHeaderInto(opened.slot.Kind, path, opened.slot);
    if (header.ok()) {
        opened.channelDisplayCode = channelDisplayCode(opened.slot.Kind, opened.slot, *header);
        return true;
    }
    opened.status = header.status();
    // Files that a recorder wrote without a model line are the user's to mend, not errors.
    const StatusCode code = opened.status.code();
    if (code != StatusCode::NoModelLine && code != StatusCode::UnknownCsvModel)
        opened.logLines << opened.status.logLine(headerLogLabel);
    return false;
}

void readRecords(OpenedRecording& opened, BusyDisplay& busy, const QString& path)
{
    const ReadResult result = recordedfile::readRecords(opened.slot.Kind, busy, path, opened.slot);
    opened.logLines << result.logLines();
    opened.warnings = result.warnings;
    opened.status = result.status;
}

void fail(OpenedRecording& opened, Status status, const QString& headerLogLabel)
{
    opened.logLines << status.logLine(headerLogLabel);
    opened.status = std::move(status);
}

} // namespace

OpenedRecording openRecording(const QString& path, BusyDisplay& busy, const QString& headerLogLabel)
{
    OpenedRecording opened;
    opened.slot.FilePath = path;
    opened.slot.Kind = models::fileKindOf(path);
    try {
        if (readHeader(opened, path, headerLogLabel))
            readRecords(opened, busy, path);
    } catch (const std::bad_alloc&) {
        fail(opened, Status::failure(StatusCode::OutOfMemory, QStringLiteral("not enough memory to read %1").arg(path)), headerLogLabel);
    } catch (const std::exception& error) {
        fail(opened, Status::unexpected(error), headerLogLabel);
    }
    // A failed open keeps no records: the memory of a partial read goes at once.
    if (!opened.opened())
        opened.slot.clearRecords();
    else
        opened.slot.Plan = recordedfile::readPlan(opened.slot.Kind, opened.slot);
    return opened;
}

} // namespace qor
