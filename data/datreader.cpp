#include "datreader.h"

#include "datetime.h"
#include "littleendian.h"
#include "numbertext.h"
#include "readersupport.h"
#include "recordermodel.h"
#include "regularfile.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace qor {

namespace {

constexpr qint64 ModelOffset = 0;
constexpr qint64 ModelLength = 6;
constexpr qint64 DateOffset = 64;
constexpr qint64 TimeOffset = 68;
constexpr qint64 IntervalOffset = 72;
constexpr std::array<qint64, 2> ScaleOffset = {128, 160};
constexpr qint64 HeaderFieldsEnd = 166;
constexpr qint64 HeaderSize = 512;
constexpr qint64 RecordSize = 32;
constexpr qint64 ChannelBlockSize = 16;
constexpr qint64 RecordsPerRead = 1 << 17; // 4 MiB

// The bytes of a record block the reader looks at: PV, the two SP fields, MV and the selector.
constexpr qint64 PvField = 0, SpFieldSelected = 2, SpFieldDefault = 4, MvField = 6, SelectorField = 12;

// What follows the header: its bytes, the records in them (a last fragment that holds every byte
// the model reads is one more) and the bytes of a shorter last fragment, which are passed over.
struct DatBody {
    qint64 bytes = 0;
    qint64 records = 0;
    qint64 ignoredBytes = 0;
};

DatBody bodyOf(qint64 fileSize, bool twoChannels)
{
    DatBody body;
    body.bytes = std::max<qint64>(0, fileSize - HeaderSize);
    body.records = body.bytes / RecordSize;
    const qint64 fragment = body.bytes % RecordSize;
    const qint64 bytesRead = twoChannels ? ChannelBlockSize + SelectorField + 1 : SelectorField + 1;
    if (fragment >= bytesRead)
        ++body.records;
    else
        body.ignoredBytes = fragment;
    return body;
}

// A raw reading has only 65536 possible values, so each value's number is worked out once, from
// its text, the first time it is met.
class RawValueNumbers {
  public:
    explicit RawValueNumbers(std::function<std::string(std::int16_t)> text)
        : m_text(std::move(text))
    {
    }

    double operator()(std::int16_t raw)
    {
        const auto index = static_cast<std::size_t>(raw + 32768);
        if (!m_known[index]) {
            m_numbers[index] = numbers::parseNumber(m_text(raw)).value_or(0.0);
            m_known[index] = true;
        }
        return m_numbers[index];
    }

  private:
    std::function<std::string(std::int16_t)> m_text;
    std::vector<double> m_numbers = std::vector<double>(65536);
    std::vector<bool> m_known = std::vector<bool>(65536);
};

struct DatHeader {
    double start = 0;
    std::int16_t interval = 0;
    std::array<numbers::ChannelScale, 2> scale;
};

double startOf(const char* bytes)
{
    const auto date = readLittleEndian<quint16>(bytes + DateOffset);
    const quint32 time = static_cast<quint8>(bytes[TimeOffset]) | static_cast<quint32>(static_cast<quint8>(bytes[TimeOffset + 1])) << 8 |
                         static_cast<quint32>(static_cast<quint8>(bytes[TimeOffset + 2])) << 16;
    const double day = datetime::dateSerial(2000 + (date >> 9), (date >> 5) & 0x0f, date & 0x1f);
    return datetime::addSeconds(day, ((time >> 12) & 0x1f) * 3600 + ((time >> 6) & 0x3f) * 60 + (time & 0x3f));
}

DatHeader headerOf(const char* bytes)
{
    DatHeader header;
    header.start = startOf(bytes);
    header.interval = readLittleEndian<std::int16_t>(bytes + IntervalOffset);
    for (std::size_t c = 0; c < header.scale.size(); ++c) {
        const char* p = bytes + ScaleOffset[c];
        header.scale[c] = {static_cast<double>(readLittleEndian<std::int16_t>(p)),
                           static_cast<double>(readLittleEndian<std::int16_t>(p + 2)), readLittleEndian<std::int16_t>(p + 4)};
    }
    return header;
}

// The values of one channel, decoded record by record.
struct ChannelValues {
    explicit ChannelValues(const numbers::ChannelScale& channelScale, qint64 count)
        : scale(channelScale)
        , scaled([channelScale](std::int16_t raw) { return numbers::scaledText(raw, channelScale); })
    {
        for (NumberArray* v : {&pv, &sp, &mv})
            v->resize(static_cast<std::size_t>(count));
    }

    void decode(const char* block, std::size_t index, RawValueNumbers& percent)
    {
        const qint64 spField = block[SelectorField] != 0 ? SpFieldSelected : SpFieldDefault;
        pv[index] = scaled(readLittleEndian<std::int16_t>(block + PvField));
        sp[index] = scaled(readLittleEndian<std::int16_t>(block + spField));
        mv[index] = percent(readLittleEndian<std::int16_t>(block + MvField));
    }

    void store(readers::ReadColumns& columns, ColumnId pvColumn)
    {
        const int shown = scale.shownDecimals();
        const auto at = static_cast<std::size_t>(columnNumber(pvColumn) - 1);
        columns[at] = std::make_shared<const FixedPointColumn>(std::move(pv), shown, shown == 0);
        columns[at + 1] = std::make_shared<const FixedPointColumn>(std::move(sp), shown, shown == 0);
        columns[at + 2] = std::make_shared<const FixedPointColumn>(std::move(mv), 1, false);
    }

    numbers::ChannelScale scale;
    RawValueNumbers scaled;
    NumberArray pv, sp, mv;
};

// The decoded records: their times and the values of one or two channels.
struct DatRecords {
    DatRecords(const DatHeader& header, bool twoChannels, qint64 count)
        : startSeconds(datetime::secondsFromSerial(header.start))
        , interval(header.interval)
        , times(static_cast<std::size_t>(count))
        , channel1(header.scale[0], count)
    {
        if (twoChannels)
            channel2.emplace(header.scale[1], count);
    }

    void decode(const char* record, qint64 index)
    {
        const auto at = static_cast<std::size_t>(index);
        times[at] = datetime::serialFromSeconds(startSeconds + index * interval);
        channel1.decode(record, at, percent);
        if (channel2)
            channel2->decode(record + ChannelBlockSize, at, percent);
    }

    void store(SlotData& slot)
    {
        readers::ReadColumns columns;
        channel1.store(columns, ColumnId::PV1);
        if (channel2)
            channel2->store(columns, ColumnId::PV2);
        readers::storeRecords(slot, std::move(times), columns);
    }

    std::int64_t startSeconds;
    std::int16_t interval;
    TimeColumn times;
    RawValueNumbers percent{[](std::int16_t raw) { return numbers::percentText(raw); }};
    ChannelValues channel1;
    std::optional<ChannelValues> channel2;
};

// Decodes the body's records from the file, which stands after the header, reading many records at
// a time; fails when the file ends before them or the user cancelled.
bool readRecords(QFile& file, const DatBody& body, DatRecords& records, BusyNotice& busy)
{
    std::vector<char> buffer(static_cast<std::size_t>(std::min(body.records, RecordsPerRead) * RecordSize));
    for (qint64 done = 0; done < body.records;) {
        const qint64 n = std::min(RecordsPerRead, body.records - done);
        const qint64 bytes = std::min(n * RecordSize, body.bytes - done * RecordSize);
        if (file.read(buffer.data(), bytes) != bytes)
            return false;
        for (qint64 r = 0; r < n; ++r)
            records.decode(buffer.data() + r * RecordSize, done + r);
        done += n;
        if (!busy.progress(static_cast<double>(done) / static_cast<double>(body.records)))
            return false;
    }
    return true;
}

} // namespace

ReadResult FuncReadDatFile(BusyDisplay& display, const QString& path, SlotData& slot)
{
    ReadResult result;
    result.logLabel = QStringLiteral("modFunc_Ran.FuncReadFile");
    BusyNotice busy(display, BinaryBusyDots, Cancellable::Yes);
    slot.clearRecords();

    QFile file(path);
    if (const Status opened = openRegularFile(file, QIODevice::ReadOnly | QIODevice::Unbuffered); !opened.ok()) {
        result.status = opened;
        return result;
    }
    const QByteArray head = file.read(HeaderSize);
    if (head.size() < HeaderFieldsEnd) {
        result.status = Status::failure(StatusCode::Malformed, QStringLiteral("The file is shorter than its header."));
        return result;
    }
    const DatHeader header = headerOf(head.constData());
    slot.setModel(QString::fromLatin1(head.constData() + ModelOffset, ModelLength));
    const models::ReadPlan plan = models::datPlan(slot.traits());
    const bool twoChannels = plan.fills(ColumnId::PV2);

    const DatBody body = bodyOf(file.size(), twoChannels);
    if (body.ignoredBytes != 0)
        result.warnings << Status::at(
            StatusCode::PassedOver,
            QStringLiteral("The last %1 bytes of the file are no whole record and were ignored.").arg(body.ignoredBytes),
            Status::Place::Record, body.records + 1);
    if (body.records == 0) {
        result.status = Status::failure(StatusCode::Malformed, QStringLiteral("The file holds no record after its header."));
        return result;
    }
    if (body.records > readers::MaxRecords) {
        result.status = readers::tooManyRecords();
        return result;
    }
    if (!header.scale[0].isUsable() || (twoChannels && !header.scale[1].isUsable())) {
        result.status =
            Status::failure(StatusCode::Malformed, QStringLiteral("The number of decimal places in the header is out of range."));
        return result;
    }

    DatRecords records(header, twoChannels, body.records);
    if (!readRecords(file, body, records, busy)) {
        result.status = readers::stoppedEarly(&busy);
        return result;
    }
    records.store(slot);
    return result;
}

} // namespace qor
