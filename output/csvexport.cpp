#include "csvexport.h"

#include "wholefile.h"

#include "recordtimetext.h"

#include "data/loglayout.h"
#include "data/logreader.h"
#include "data/numbertext.h"
#include "data/parallel.h"
#include "data/readersupport.h"
#include "data/recordermodel.h"
#include "data/regularfile.h"

#include <QFile>
#include <QSaveFile>

#include <array>
#include <future>
#include <new>
#include <vector>

namespace qor::output {

namespace {

using loglayout::HeaderSize;
using loglayout::HeaderStringSize;
// Records read and written at a time: a few megabytes, split between the cores for formatting.
constexpr qint64 ChunkRecords = 1 << 16;
constexpr std::int64_t MinRecordsPerPart = 8192;
constexpr qsizetype FlushBytes = 4 << 20;

Status writeBytes(QIODevice& out, const char* data, qint64 size)
{
    if (writeAll(out, data, size))
        return {};
    return Status::failure(StatusCode::WriteFailed, QStringLiteral("The export could not be written: %1.").arg(out.errorString()));
}

Status writeLine(QIODevice& out, QByteArray line)
{
    line += "\r\n";
    return writeBytes(out, line.constData(), line.size());
}

// Reports the progress, if anyone follows it; false when the export is to stop.
bool goOn(const ExportProgress& progress, double fraction)
{
    return !progress || progress(fraction);
}

// The record layout of a .LOG file and where its times start.
struct LogRecords {
    std::int64_t startSeconds = 0;
    int values = 0;
    qint64 recordSize() const { return loglayout::recordSize(values); }
};

// Formats records, one line each: the time, then every value after a ",".
class RecordFormatter {
  public:
    RecordFormatter(const LogRecords& layout, const datetime::AmPm& amPm)
        : m_layout(layout)
        , m_time(amPm)
    {
    }

    std::size_t maxLineSize() const
    {
        return m_time.maxSize() + static_cast<std::size_t>(m_layout.values) * (1 + numbers::MaxValueTextSize) + 2;
    }

    char* write(char* out, const char* records, std::int64_t count)
    {
        const qint64 size = m_layout.recordSize();
        for (std::int64_t r = 0; r < count; ++r) {
            const char* record = records + r * size;
            out = m_time.write(out, m_layout.startSeconds + loglayout::recordSeconds(record));
            for (int v = 0; v < m_layout.values; ++v) {
                *out++ = ',';
                out = numbers::writeValueText(out, loglayout::recordValue(record, v), numbers::LeadingZero::Yes);
            }
            *out++ = '\r';
            *out++ = '\n';
        }
        return out;
    }

  private:
    LogRecords m_layout;
    RecordTimeText m_time;
};

// Formats the records of a chunk on every core, each part into its own buffer, while a helper
// thread writes the chunk before it: handing the bytes to the system costs about as much as
// formatting them, so the two overlap.
class ChunkWriter {
  public:
    ChunkWriter(QIODevice& out, const LogRecords& layout, const datetime::AmPm& amPm)
        : m_out(out)
    {
        const auto parts = static_cast<std::size_t>(partCount(ChunkRecords, MinRecordsPerPart));
        m_formatters.assign(parts, RecordFormatter(layout, amPm));
        for (Lines& lines : m_lines) {
            lines.buffers.resize(parts);
            lines.used.resize(parts);
        }
    }
    ~ChunkWriter()
    {
        if (m_pending.valid())
            m_pending.wait();
    }
    ChunkWriter(const ChunkWriter&) = delete;
    ChunkWriter& operator=(const ChunkWriter&) = delete;

    // Formats `count` records and starts writing them; fails when the write before has failed.
    Status write(const char* records, std::int64_t count, qint64 recordSize)
    {
        Lines& lines = m_lines[m_next];
        format(lines, records, count, recordSize);
        if (const Status written = finish(); !written.ok())
            return written;
        m_pending = std::async(std::launch::async, [this, &lines] { return writeLines(lines); });
        m_next = 1 - m_next;
        return {};
    }

    // Waits for the write in progress.
    Status finish() { return m_pending.valid() ? m_pending.get() : Status{}; }

  private:
    struct Lines {
        std::vector<std::vector<char>> buffers;
        std::vector<qint64> used;
    };

    void format(Lines& lines, const char* records, std::int64_t count, qint64 recordSize)
    {
        std::fill(lines.used.begin(), lines.used.end(), 0);
        runInParts(count, MinRecordsPerPart, [&](int part, std::int64_t first, std::int64_t size) {
            const auto p = static_cast<std::size_t>(part);
            std::vector<char>& buffer = lines.buffers[p];
            buffer.resize(static_cast<std::size_t>(size) * m_formatters[p].maxLineSize());
            const char* end = m_formatters[p].write(buffer.data(), records + first * recordSize, size);
            lines.used[p] = static_cast<qint64>(end - buffer.data());
            return true;
        });
    }

    Status writeLines(const Lines& lines)
    {
        for (std::size_t p = 0; p < lines.buffers.size(); ++p) {
            if (const Status written = writeBytes(m_out, lines.buffers[p].data(), lines.used[p]); !written.ok())
                return written;
        }
        return {};
    }

    QIODevice& m_out;
    std::vector<RecordFormatter> m_formatters;
    std::array<Lines, 2> m_lines;
    std::size_t m_next = 0;
    std::future<Status> m_pending;
};

Status writeHeaderLines(QIODevice& out, const QByteArray& header, const models::ModelTraits& model, QStringView option)
{
    for (qint64 at : {qint64{0}, HeaderStringSize}) {
        if (const Status written = writeLine(out, header.mid(at, HeaderStringSize)); !written.ok())
            return written;
    }
    const QString heading = models::exportHeading(model, option);
    return heading.isEmpty() ? Status{} : writeLine(out, heading.toLatin1());
}

Status writeRecords(QIODevice& out, QFile& file, const LogRecords& layout, const datetime::AmPm& amPm, const ExportProgress& progress)
{
    const qint64 count = (file.size() - HeaderSize) / layout.recordSize();
    ChunkWriter writer(out, layout, amPm);
    std::vector<char> records(static_cast<std::size_t>(std::min(count, ChunkRecords) * layout.recordSize()));
    for (qint64 done = 0; done < count;) {
        const qint64 n = std::min(ChunkRecords, count - done);
        const qint64 bytes = n * layout.recordSize();
        if (file.read(records.data(), bytes) != bytes)
            return readers::notReadToEnd();
        if (const Status written = writer.write(records.data(), n, layout.recordSize()); !written.ok())
            return written;
        done += n;
        if (!goOn(progress, static_cast<double>(done) / static_cast<double>(count)))
            return Status::cancelled();
    }
    return writer.finish();
}

Status writeLoadedRecords(QIODevice& out, const SlotData& slot, std::span<const ColumnId> columns, const datetime::AmPm& amPm,
                          const ExportProgress& progress)
{
    const TimeColumn& times = *slot.TraceData.TimeValue;
    const auto count = std::min<qsizetype>(slot.RecordCount, static_cast<qsizetype>(times.size()));
    RecordTimeText time(amPm);
    std::vector<char> timeText(time.maxSize());
    QByteArray buffer;
    for (qsizetype r = 0; r < count; ++r) {
        const char* end = time.write(timeText.data(), datetime::secondsFromSerial(times[static_cast<std::size_t>(r)]));
        buffer.append(timeText.data(), end - timeText.data());
        for (ColumnId column : columns)
            buffer += ',' + slot.TraceData.column(column)->text(r).toUtf8();
        buffer += "\r\n";
        if (buffer.size() >= FlushBytes || r + 1 == count) {
            if (const Status written = writeBytes(out, buffer.constData(), buffer.size()); !written.ok())
                return written;
            buffer.clear();
            if (!goOn(progress, static_cast<double>(r + 1) / static_cast<double>(count)))
                return Status::cancelled();
        }
    }
    return {};
}

} // namespace

bool isExportable(models::FileKind kind)
{
    return kind == models::FileKind::Log || kind == models::FileKind::Dat;
}

Status writeFileExport(QIODevice& out, const QString& dataPath, const models::ModelTraits& model, QStringView option,
                       const datetime::AmPm& amPm, const ExportProgress& progress)
{
    QFile file(dataPath);
    if (const Status opened = openRegularFile(file, QIODevice::ReadOnly | QIODevice::Unbuffered); !opened.ok())
        return opened;
    const QByteArray header = file.read(HeaderSize);
    if (header.size() < HeaderSize)
        return Status::failure(StatusCode::Malformed, QStringLiteral("The recorded file is shorter than its 80-byte header."));
    if (const Status written = writeHeaderLines(out, header, model, option); !written.ok())
        return written;
    const LogRecords layout{.startSeconds = datetime::secondsFromSerial(recordingStartFromFileName(dataPath)),
                            .values = static_cast<int>(models::logPlan(model, option).values.size())};
    return writeRecords(out, file, layout, amPm, progress);
}

Status writeMemoryExport(QIODevice& out, const SlotData& slot, const datetime::AmPm& amPm, const ExportProgress& progress)
{
    const QString heading = models::exportHeading(slot.traits(), slot.ModelOption);
    if (!heading.isEmpty()) {
        if (const Status written = writeLine(out, heading.toLatin1()); !written.ok())
            return written;
    }
    const std::span<const ColumnId> exported = models::exportedColumns(slot.traits());
    if (!exported.empty())
        return writeLoadedRecords(out, slot, exported, amPm, progress);
    const models::ReadPlan plan = models::datPlan(slot.traits());
    return writeLoadedRecords(out, slot, plan.values, amPm, progress);
}

Status FuncWriteExcelFile(const SlotData& slot, const QString& outputPath, const datetime::AmPm& amPm, const ExportProgress& progress)
{
    try {
        QSaveFile out(outputPath);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return Status::failure(StatusCode::WriteFailed, QStringLiteral("The file cannot be created: %1.").arg(out.errorString()));
        // A .DAT file has no .LOG layout to read again, whatever model it names.
        const bool fromMemory = !models::exportedColumns(slot.traits()).empty() || slot.Kind == models::FileKind::Dat;
        const Status written = fromMemory ? writeMemoryExport(out, slot, amPm, progress)
                                          : writeFileExport(out, slot.FilePath, slot.traits(), slot.ModelOption, amPm, progress);
        if (!written.ok()) {
            out.cancelWriting();
            return written;
        }
        if (!out.commit())
            return Status::failure(StatusCode::WriteFailed, QStringLiteral("The file could not be completed: %1.").arg(out.errorString()));
        return {};
    } catch (const std::bad_alloc&) {
        return Status::failure(StatusCode::OutOfMemory, QStringLiteral("There is not enough memory for the export."));
    } catch (const std::exception& error) {
        return Status::unexpected(error);
    }
}

} // namespace qor::output
