#include "readinput.h"

#include "data/busynotice.h"
#include "data/recordedfile.h"
#include "data/recordingopener.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qor::fuzz {

namespace {

const QTemporaryDir& scratchFolder()
{
    static const QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/qor-fuzz-XXXXXX")
                                                                                : QDir::tempPath() + u"/qor-fuzz-XXXXXX");
    require(folder.isValid(), "the scratch folder can be made");
    return folder;
}

// The name begins with the 14 digits that a recording's start is taken from.
QString writeRecording(QStringView extension, const std::uint8_t* data, std::size_t size)
{
    return writeInputFile(QString(u"20150301080000_fuzz." + extension), data, size);
}

// Reads the first and last entries, so that a column shorter than it claims shows up under the
// address sanitizer.
void checkColumn(const ValueColumn& column, qint32 records)
{
    require(column.size() == records, "every column has one entry per record");
    for (const qsizetype record : {qsizetype(0), qsizetype(records - 1)}) {
        const QString text = column.text(record);
        require(!text.isEmpty() || std::isnan(column.number(record)), "a value without text is no number");
    }
}

void checkRecords(const SlotData& slot)
{
    require(slot.RecordCount > 0, "a successful read has records");
    require(slot.TraceData.TimeValue->size() == static_cast<std::size_t>(slot.RecordCount), "there is one time per record");
    require(slot.FirstTime.has_value() && slot.LastTime.has_value(), "a successful read sets its time span");
    for (const ColumnPtr& column : slot.TraceData.values)
        checkColumn(*column, slot.RecordCount);
}

void checkNoRecords(const SlotData& slot)
{
    require(slot.RecordCount == 0 && slot.TraceData.TimeValue->empty() && !slot.FirstTime, "a failed read leaves no records");
}

} // namespace

void require(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "Broken invariant: %s\n", what);
    std::abort();
}

QString scratchFolderPath()
{
    return scratchFolder().path();
}

QString writeInputFile(QStringView fileName, const std::uint8_t* data, std::size_t size)
{
    const QString path = scratchFolder().filePath(fileName.toString());
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input file can be opened");
    const auto length = static_cast<qint64>(size);
    require(file.write(reinterpret_cast<const char*>(data), length) == length, "the input file can be written");
    return path;
}

void readRecording(QStringView extension, const std::uint8_t* data, std::size_t size)
{
    const QString path = writeRecording(extension, data, size);
    NoBusyDisplay noWindow;
    const OpenedRecording opened = openRecording(path, noWindow, QStringLiteral("fuzz"));
    require(opened.opened() == opened.status.message().isEmpty(), "a failed open says why, and only then");
    if (opened.opened())
        checkRecords(opened.slot);
    else
        checkNoRecords(opened.slot);
}

void readHeader(QStringView extension, const std::uint8_t* data, std::size_t size)
{
    const QString path = writeRecording(extension, data, size);
    SlotData slot;
    const Result<recordedfile::HeaderFacts> header = recordedfile::readHeaderInto(models::fileKindOf(path), path, slot);
    require(header.ok() == header.status().message().isEmpty(), "a header that cannot be used says why, and only then");
}

} // namespace qor::fuzz
