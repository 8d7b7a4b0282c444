#include "datreader.h"

#include "datetime.h"
#include "littleendian.h"
#include "mappedfile.h"
#include "numbertext.h"
#include "readersupport.h"
#include "recordermodel.h"

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
constexpr int BusyDots = 36;
constexpr qint64 ProgressStep = 1 << 20;

// The bytes of a record block the reader looks at: PV, the two SP fields, MV and the selector.
constexpr qint64 PvField = 0, SpFieldSelected = 2, SpFieldDefault = 4, MvField = 6, SelectorField = 12;

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
    const quint32 time = static_cast<quint8>(bytes[TimeOffset]) | static_cast<quint32>(static_cast<quint8>(bytes[TimeOffset + 1])) << 8
                         | static_cast<quint32>(static_cast<quint8>(bytes[TimeOffset + 2])) << 16;
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
        header.scale[c] = {static_cast<double>(readLittleEndian<std::int16_t>(p)), static_cast<double>(readLittleEndian<std::int16_t>(p + 2)),
                           readLittleEndian<std::int16_t>(p + 4)};
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

} // namespace

ReadResult FuncReadDatFile(TraceGraph& graph, const QString& path, SlotData& slot)
{
    ReadResult result;
    result.logLabel = QStringLiteral("modFunc_Ran.FuncReadFile");
    graph.clearData();
    BusyNotice busy(graph, BusyDots);
    slot.clearRecords();

    const MappedFile::OpenResult opened = MappedFile::open(path);
    if (opened.failure) {
        result.failure = opened.failure;
        return result;
    }
    const std::string_view bytes = opened.file->bytes();
    const auto size = static_cast<qint64>(bytes.size());
    if (size < HeaderFieldsEnd) {
        result.failure = QStringLiteral("The file is shorter than its header. ");
        return result;
    }
    const DatHeader header = headerOf(bytes.data());
    slot.ModelName = QString::fromLatin1(bytes.data() + ModelOffset, ModelLength);
    const bool twoChannels = slot.ModelName == u"QOR510";
    const models::ReadPlan plan = models::datPlan(slot.ModelName);

    const qint64 body = std::max<qint64>(0, size - HeaderSize);
    qint64 count = (body + RecordSize - 1) / RecordSize;
    const qint64 fragment = body % RecordSize;
    const qint64 bytesRead = twoChannels ? ChannelBlockSize + SelectorField + 1 : SelectorField + 1;
    if (fragment != 0 && fragment < bytesRead) {
        --count;
        result.warnings << QStringLiteral("The last %1 bytes of the file are no whole record and were ignored. ").arg(fragment);
    }
    if (count == 0) {
        result.failure = QStringLiteral("The file holds no record after its header. ");
        return result;
    }
    if (!header.scale[0].isUsable() || (twoChannels && !header.scale[1].isUsable())) {
        result.failure = QStringLiteral("The number of decimal places in the header is out of range. ");
        return result;
    }

    graph.setChartLength(static_cast<qint32>(count));
    TimeColumn times(static_cast<std::size_t>(count));
    RawValueNumbers percent([](std::int16_t raw) { return numbers::percentText(raw); });
    ChannelValues channel1(header.scale[0], count);
    std::optional<ChannelValues> channel2;
    if (twoChannels)
        channel2.emplace(header.scale[1], count);
    const std::int64_t startSeconds = datetime::secondsFromSerial(header.start);
    for (qint64 k = 0; k < count; ++k) {
        const char* record = bytes.data() + HeaderSize + k * RecordSize;
        const auto index = static_cast<std::size_t>(k);
        times[index] = datetime::serialFromSeconds(startSeconds + k * header.interval);
        channel1.decode(record, index, percent);
        if (channel2)
            channel2->decode(record + ChannelBlockSize, index, percent);
        if ((k + 1) % ProgressStep == 0)
            busy.progress(static_cast<double>(k + 1) / static_cast<double>(count));
    }

    readers::ReadColumns columns;
    channel1.store(columns, ColumnId::PV1);
    if (channel2)
        channel2->store(columns, ColumnId::PV2);
    readers::storeRecords(slot, std::move(times), columns);
    readers::showTimeRange(graph, slot);
    readers::drawPlots(graph, slot, plan, readers::PlotCall::Chart);
    return result;
}

} // namespace qor
