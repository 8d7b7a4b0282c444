#include "logreader.h"

#include "datetime.h"
#include "loglayout.h"
#include "parallel.h"
#include "readersupport.h"
#include "recordermodel.h"
#include "regularfile.h"

#include <QFile>

#include <algorithm>
#include <vector>

namespace qor {

namespace {

using loglayout::HeaderSize;
using loglayout::HeaderStringSize;
constexpr qint64 BufferBytes = 4 << 20;
constexpr qint64 MinRecordsPerThread = 200000;

// Where the decoded records go: one time and one array per value, each sized for every record.
struct LogTarget {
    double start = 0;
    qint64 recordSize = 0;
    TimeColumn times;
    std::vector<NumberArray> values;
};

void decodeRecords(const char* bytes, qint64 first, qint64 count, LogTarget& target)
{
    const std::int64_t startSeconds = datetime::secondsFromSerial(target.start);
    const std::size_t valueCount = target.values.size();
    for (qint64 r = 0; r < count; ++r) {
        const char* record = bytes + r * target.recordSize;
        const auto index = static_cast<std::size_t>(first + r);
        target.times[index] = datetime::serialFromSeconds(startSeconds + loglayout::recordSeconds(record));
        for (std::size_t v = 0; v < valueCount; ++v)
            target.values[v][index] = loglayout::recordValue(record, static_cast<qint64>(v));
    }
}

// Decodes records [first, first + count) of the file as part `part` of the read; false when the
// file ends early or the user cancelled.
bool readRecordRange(const QString& path, int part, qint64 first, qint64 count, LogTarget& target, BusyNotice& busy)
{
    QFile file(path);
    if (!openRegularFile(file, QIODevice::ReadOnly).ok() || !file.seek(HeaderSize + first * target.recordSize))
        return false;
    const qint64 perBuffer = std::clamp<qint64>(BufferBytes / target.recordSize, 1, count);
    std::vector<char> buffer(static_cast<std::size_t>(perBuffer * target.recordSize));
    for (qint64 done = 0; done < count;) {
        const qint64 n = std::min(perBuffer, count - done);
        const qint64 bytes = n * target.recordSize;
        if (file.read(buffer.data(), bytes) != bytes)
            return false;
        decodeRecords(buffer.data(), first + done, n, target);
        done += n;
        if (!busy.progressOfPart(part, static_cast<double>(done) / static_cast<double>(count)))
            return false;
    }
    return true;
}

QString latin1Block(const QByteArray& bytes, qint64 offset)
{
    return QString::fromLatin1(bytes.mid(offset, HeaderStringSize));
}

} // namespace

Result<LogHeader> readLogHeader(const QString& path)
{
    QFile file(path);
    if (const Status opened = openRegularFile(file, QIODevice::ReadOnly); !opened.ok())
        return opened;
    const QByteArray bytes = file.read(HeaderSize);
    if (bytes.size() < HeaderSize)
        return Status::failure(StatusCode::Malformed, QStringLiteral("The file is shorter than its 80-byte header."));
    const std::optional<QString> model = models::logModelName(latin1Block(bytes, 0));
    if (!model)
        return Status::failure(StatusCode::Malformed, QStringLiteral("The first header string names no model in brackets."));
    return LogHeader{*model, models::logModelOption(latin1Block(bytes, HeaderStringSize))};
}

double recordingStartFromFileName(const QString& path)
{
    const QString name = readers::fileNameOf(path);
    if (name.size() < 14)
        return 0;
    for (qsizetype i = 0; i < 14; ++i) {
        if (name[i] < u'0' || name[i] > u'9')
            return 0;
    }
    auto field = [&](qsizetype from, qsizetype length) { return name.mid(from, length).toInt(); };
    const double date = datetime::dateSerial(field(0, 4), field(4, 2), field(6, 2));
    return datetime::addSeconds(date, field(8, 2) * 3600 + field(10, 2) * 60 + field(12, 2));
}

ReadResult FuncReadFile(BusyDisplay& display, const QString& path, SlotData& slot)
{
    ReadResult result;
    result.logLabel = QStringLiteral("modFunc_Ran.FuncReadFile");
    BusyNotice busy(display, BinaryBusyDots, Cancellable::Yes);
    slot.clearRecords();

    const models::ReadPlan plan = models::logPlan(slot.traits(), slot.ModelOption);
    LogTarget target;
    target.start = recordingStartFromFileName(path);
    target.recordSize = loglayout::recordSize(static_cast<qint64>(plan.values.size()));

    QFile file(path);
    if (const Status opened = openRegularFile(file, QIODevice::ReadOnly); !opened.ok()) {
        result.status = opened;
        return result;
    }
    const qint64 body = std::max<qint64>(0, file.size() - HeaderSize);
    file.close();
    const qint64 count = body / target.recordSize;
    if (const qint64 fragment = body % target.recordSize; fragment != 0)
        result.warnings << Status::at(StatusCode::PassedOver,
                                      QStringLiteral("The last %1 bytes of the file are no whole record of %2 bytes and were ignored.")
                                          .arg(fragment)
                                          .arg(target.recordSize),
                                      Status::Place::Record, count + 1);
    if (count == 0) {
        result.status = Status::failure(StatusCode::Malformed, QStringLiteral("The file holds no whole record after its header."));
        return result;
    }
    if (count > readers::MaxRecords) {
        result.status = readers::tooManyRecords();
        return result;
    }

    target.times.resize(static_cast<std::size_t>(count));
    target.values.resize(plan.values.size());
    for (NumberArray& values : target.values)
        values.resize(static_cast<std::size_t>(count));
    const bool read = runInParts(count, MinRecordsPerThread, [&](int part, std::int64_t first, std::int64_t size) {
        return readRecordRange(path, part, first, size, target, busy);
    });
    if (!read) {
        result.status = readers::stoppedEarly(&busy);
        return result;
    }

    readers::ReadColumns columns;
    for (std::size_t v = 0; v < plan.values.size(); ++v)
        columns[static_cast<std::size_t>(columnNumber(plan.values[v]) - 1)] =
            std::make_shared<const DoubleColumn>(std::move(target.values[v]));
    readers::storeRecords(slot, std::move(target.times), columns);
    return result;
}

} // namespace qor
