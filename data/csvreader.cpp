#include "csvreader.h"

#include "csvlines.h"
#include "datetime.h"
#include "numbertext.h"
#include "parallel.h"
#include "readersupport.h"
#include "regularfile.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

namespace qor {

namespace {

constexpr std::size_t MinPartBytes = 8 << 20;
constexpr qint64 ReadBlockBytes = 16 << 20;
constexpr qint64 ProgressLines = 1 << 16;

// The steps of a read and their shares of the busy notice's progress, about as they share its time.
struct Phase {
    double from;
    double share;
};
constexpr Phase ReadPhase = {0, 0.25};
constexpr Phase CountPhase = {0.25, CsvCountedProgress - 0.25};
constexpr Phase ParsePhase = {CsvCountedProgress, 1 - CsvCountedProgress};

// Reports how far part `part` of a phase has come; false once the user has cancelled. A read
// without a notice always goes on.
bool reportProgress(BusyNotice* busy, int part, Phase phase, double done, double total)
{
    return !busy || busy->progressOfPart(part, phase.from + phase.share * (total > 0 ? done / total : 1));
}

// The progress of a phase whose parts the cores share out: each core adds the bytes it has passed
// and the calling thread's reports show the sum.
class SharedProgress {
  public:
    SharedProgress(BusyNotice* busy, Phase phase, std::size_t totalBytes)
        : m_busy(busy)
        , m_phase(phase)
        , m_total(static_cast<double>(totalBytes))
    {
    }

    // Adds `bytes` passed by `worker`; false once the user has cancelled.
    bool passed(int worker, std::size_t bytes)
    {
        const std::size_t done = m_done.fetch_add(bytes, std::memory_order_relaxed) + bytes;
        return reportProgress(m_busy, worker, m_phase, static_cast<double>(done), m_total);
    }

  private:
    BusyNotice* m_busy;
    Phase m_phase;
    double m_total;
    std::atomic<std::size_t> m_done = 0;
};

// Reads bytes [first, first + size) of the file into `bytes` at the same offset, as part `part` of
// the read.
bool readRange(const QString& path, int part, qint64 first, qint64 size, char* bytes, BusyNotice* busy)
{
    QFile file(path);
    if (!openRegularFile(file, QIODevice::ReadOnly | QIODevice::Unbuffered).ok() || !file.seek(first))
        return false;
    for (qint64 done = 0; done < size;) {
        const qint64 read = file.read(bytes + first + done, std::min(ReadBlockBytes, size - done));
        if (read <= 0)
            return false;
        done += read;
        if (!reportProgress(busy, part, ReadPhase, static_cast<double>(done), static_cast<double>(size)))
            return false;
    }
    return true;
}

// The whole file in the program's own memory, so that what is shown from it never depends on the
// file staying as it was: copied by the kernel where it can, else read in parts by every core.
Status readWholeFile(const QString& path, CsvBytes& bytes, BusyNotice* busy)
{
    QFile file(path);
    if (const Status opened = openRegularFile(file, QIODevice::ReadOnly | QIODevice::Unbuffered); !opened.ok())
        return opened;
    const auto size = static_cast<std::size_t>(file.size());
    const auto copied = bytes.copyFromFile(file.handle(), size, [&](std::size_t done) {
        return reportProgress(busy, 0, ReadPhase, static_cast<double>(done), static_cast<double>(size));
    });
    file.close();
    if (copied != CsvBytes::Copy::Unsupported)
        return copied == CsvBytes::Copy::Done ? Status() : readers::stoppedEarly(busy);
    bytes.allocateOnHeap(size);
    const bool read = runInParts(static_cast<std::int64_t>(size), MinPartBytes, [&](int part, std::int64_t first, std::int64_t length) {
        return readRange(path, part, first, length, bytes.heapData(), busy);
    });
    return read ? Status() : readers::stoppedEarly(busy);
}

std::vector<CsvPart> splitIntoParts(std::string_view text)
{
    const int parts = itemCount(static_cast<std::int64_t>(text.size()), MinPartBytes);
    std::vector<CsvPart> out;
    std::size_t begin = 0;
    for (int p = 1; p <= parts; ++p) {
        const std::size_t end =
            p == parts ? text.size()
                       : csv::lineStartAtOrAfter(text, text.size() * static_cast<std::size_t>(p) / static_cast<std::size_t>(parts));
        out.push_back({begin, std::max(begin, end), 0, std::nullopt});
        begin = std::max(begin, end);
    }
    return out;
}

// Counts the records of one part, on core `worker`; false when the user cancelled.
bool countPart(std::string_view text, int worker, CsvPart& range, SharedProgress& progress)
{
    csv::LineCursor cursor(text.substr(0, range.end), range.begin);
    std::size_t reported = range.begin;
    for (qint64 lines = 1; !cursor.atEnd(); ++lines) {
        const std::string_view line = cursor.next();
        if (csv::isRecord(line) && range.records++ == 0)
            range.firstTime = csv::recordTime(line);
        if (lines % ProgressLines == 0 && !progress.passed(worker, cursor.offset() - std::exchange(reported, cursor.offset())))
            return false;
    }
    return true;
}

// Eight ASCII digits at `p` as their number, by eight bytes at a time; nullopt when one is no digit.
std::optional<std::uint64_t> eightDigits(const char* p)
{
    std::uint64_t v = 0;
    std::memcpy(&v, p, sizeof v);
    constexpr std::uint64_t HighNibbles = 0xF0F0F0F0F0F0F0F0;
    // Every byte is 0x30 to 0x39 exactly when its high nibble is 3 and adding 6 leaves it 3.
    if (((v & HighNibbles) | (((v + 0x0606060606060606) & HighNibbles) >> 4)) != 0x3333333333333333)
        return std::nullopt;
    v -= 0x3030303030303030;
    v = v * 10 + (v >> 8); // pairs of digits, in every other byte
    v = (((v & 0x000000FF000000FF) * (100 + (1000000ULL << 32))) + (((v >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32)))) >> 32;
    return v;
}

// `mantissa` / 10^decimals correctly rounded, as from_chars gives it, for a mantissa of `digits`
// decimal digits (at most 19); nullopt where this is not sure. Up to 15 digits the mantissa and
// the power of ten are exact doubles, so one division rounds correctly. Up to 19 digits they are
// exact in the 64-bit significand of x87 extended precision; its correctly rounded quotient then
// rounds to the right double unless it lies exactly halfway between two doubles, which is left to
// from_chars.
std::optional<double> exactQuotient(std::uint64_t mantissa, int digits, int decimals)
{
    static constexpr double PowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (digits <= 15)
        return static_cast<double>(mantissa) / PowersOfTen[decimals];
    using Extended = long double;
    if constexpr (std::numeric_limits<Extended>::digits != 64 || std::numeric_limits<Extended>::radix != 2) {
        return std::nullopt;
    } else {
        static constexpr Extended ExtendedPowersOfTen[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
                                                           1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L};
        const Extended quotient = static_cast<Extended>(mantissa) / ExtendedPowersOfTen[decimals];
        std::uint64_t significand = 0;
        std::memcpy(&significand, &quotient, sizeof significand);
        constexpr std::uint64_t BelowDouble = (1 << 11) - 1; // the 11 bits a double drops
        if ((significand & BelowDouble) == 1 << 10)
            return std::nullopt;
        return static_cast<double>(quotient);
    }
}

// Reads a number of at most 19 digits, with an optional minus sign and point, the form nearly every
// recorded value has; returns where it ends, or nullptr for any other text or where the number is
// left to from_chars.
const char* parsePlainDecimal(const char* first, const char* last, double& value)
{
    constexpr int MaxDigits = 19; // any 19 digits fit in 64 bits
    const bool negative = first != last && *first == '-';
    std::uint64_t mantissa = 0; // wraps only beyond MaxDigits, which is refused
    const char* p = first + (negative ? 1 : 0);
    const auto takeDigits = [&] {
        for (; p != last && static_cast<unsigned char>(*p - '0') < 10; ++p)
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    };
    takeDigits();
    int digits = static_cast<int>(p - first) - (negative ? 1 : 0);
    int decimals = 0;
    if (p != last && *p == '.') {
        const char* point = p++;
        constexpr bool LittleEndian = std::endian::native == std::endian::little; // as eightDigits reads bytes
        for (std::optional<std::uint64_t> eight; LittleEndian && last - p >= 8 && (eight = eightDigits(p)); p += 8)
            mantissa = mantissa * 100000000 + *eight;
        takeDigits();
        decimals = static_cast<int>(p - point - 1);
        digits += decimals;
    }
    if (digits == 0 || digits > MaxDigits)
        return nullptr;
    const std::optional<double> magnitude = exactQuotient(mantissa, digits, decimals);
    if (!magnitude)
        return nullptr;
    value = negative ? -*magnitude : *magnitude;
    return p;
}

// Fills the numbers of one record from the fields after the time; missing fields have no number.
void parseFields(std::string_view line, std::size_t record, std::vector<NumberArray>& numbers)
{
    std::size_t at = line.find(',');
    for (NumberArray& column : numbers) {
        if (at >= line.size()) {
            column[record] = std::numeric_limits<double>::quiet_NaN();
            continue;
        }
        const std::size_t start = at + 1;
        // Most fields are a plain number followed by a comma or the line end; parse those in place.
        double value = 0;
        const char* end = parsePlainDecimal(line.data() + start, line.data() + line.size(), value);
        if (end && (end == line.data() + line.size() || *end == ',')) {
            column[record] = value;
            at = static_cast<std::size_t>(end - line.data());
            continue;
        }
        at = std::min(line.find(',', start), line.size());
        column[record] = numbers::parseNumber(line.substr(start, at - start)).value_or(std::numeric_limits<double>::quiet_NaN());
    }
}

// Parses one part, on core `worker`, into the table from record `first`, writing no more records
// than the part was counted with; returns false when the part holds another number of records or
// the user cancelled.
bool parsePart(std::string_view text, int worker, const CsvPart& range, qint64 first, CsvTable& table,
               std::vector<CsvDocument::Checkpoint>& checkpoints, SharedProgress& progress)
{
    csv::LineCursor cursor(text.substr(0, range.end), range.begin);
    std::size_t reported = range.begin;
    auto record = static_cast<std::size_t>(first);
    const auto end = static_cast<std::size_t>(first + range.records);
    for (qint64 lines = 1; !cursor.atEnd(); ++lines) {
        const std::size_t offset = cursor.offset();
        const std::string_view line = cursor.next();
        const std::optional<std::int64_t> time = csv::recordTime(line);
        if (!time)
            continue;
        if (record == end)
            return false;
        if (checkpoints.empty() || static_cast<qint64>(record) - checkpoints.back().record >= CsvDocument::RecordsPerCheckpoint ||
            offset - checkpoints.back().offset >= CsvDocument::BytesPerCheckpoint)
            checkpoints.push_back({static_cast<qint64>(record), offset});
        table.times[record] = datetime::serialFromSeconds(*time);
        parseFields(line, record, table.numbers);
        ++record;
        if (lines % ProgressLines == 0 && !progress.passed(worker, offset - std::exchange(reported, offset)))
            return false;
    }
    return record == end;
}

// The first record of each part, from the parts' counts; nullopt when a count is negative or the
// table is not sized for their sum.
std::optional<std::vector<qint64>> firstRecords(const std::vector<CsvPart>& parts, const CsvTable& table)
{
    std::vector<qint64> first;
    qint64 total = 0;
    for (const CsvPart& part : parts) {
        if (part.records < 0)
            return std::nullopt;
        first.push_back(total);
        total += part.records;
    }
    const auto records = static_cast<std::size_t>(total);
    const auto sized = [records](const NumberArray& numbers) { return numbers.size() == records; };
    if (table.times.size() != records || !std::all_of(table.numbers.begin(), table.numbers.end(), sized))
        return std::nullopt;
    return first;
}

} // namespace

Result<CsvCount> FuncCountCsvRecords(const QString& path, BusyNotice* busy)
{
    CsvCount count;
    auto bytes = std::make_shared<CsvBytes>();
    if (Status read = readWholeFile(path, *bytes, busy); !read.ok())
        return read;
    count.bytes = std::move(bytes);
    const std::string_view text = textOf(*count.bytes);
    count.parts = splitIntoParts(text);
    SharedProgress progress(busy, CountPhase, text.size());
    const bool counted = runItems(static_cast<std::int64_t>(count.parts.size()), [&](int worker, std::int64_t part) {
        return countPart(text, worker, count.parts[static_cast<std::size_t>(part)], progress);
    });
    if (!counted)
        return Status::cancelled(); // nothing else stops a count
    for (const CsvPart& part : count.parts) {
        if (part.firstTime && count.RecordCount == 0)
            count.StartDate = datetime::serialFromSeconds(*part.firstTime);
        count.RecordCount += part.records;
    }
    return count;
}

CsvTable FuncAllocTraceData(const CsvCount& count, const models::ReadPlan& plan)
{
    CsvTable table;
    const auto records = static_cast<std::size_t>(count.RecordCount);
    table.times.resize(records);
    table.fields = plan.values;
    table.numbers.resize(plan.values.size());
    for (NumberArray& numbers : table.numbers)
        numbers.resize(records);
    return table;
}

Status FuncParseCsvFile(const CsvCount& count, CsvTable& table, BusyNotice* busy)
{
    const Status differs = Status::failure(StatusCode::Malformed, QStringLiteral("The records read differ from the records counted."));
    const std::optional<std::vector<qint64>> firstRecord = firstRecords(count.parts, table);
    if (!firstRecord || !count.bytes)
        return differs;
    const std::string_view text = textOf(*count.bytes);
    std::vector<std::vector<CsvDocument::Checkpoint>> checkpoints(count.parts.size());
    SharedProgress progress(busy, ParsePhase, text.size());
    const bool asCounted = runItems(static_cast<std::int64_t>(count.parts.size()), [&](int worker, std::int64_t part) {
        const auto p = static_cast<std::size_t>(part);
        return parsePart(text, worker, count.parts[p], (*firstRecord)[p], table, checkpoints[p], progress);
    });
    if (!asCounted)
        return busy && busy->cancelled() ? Status::cancelled() : differs;
    for (const std::vector<CsvDocument::Checkpoint>& part : checkpoints)
        table.checkpoints.insert(table.checkpoints.end(), part.begin(), part.end());
    return {};
}

void storeCsvRecords(const CsvCount& count, CsvTable table, SlotData& slot)
{
    const auto document = std::make_shared<const CsvDocument>(count.bytes, std::move(table.checkpoints));
    readers::ReadColumns columns;
    for (std::size_t f = 0; f < table.fields.size(); ++f) {
        const auto at = static_cast<std::size_t>(columnNumber(table.fields[f]) - 1);
        columns[at] = std::make_shared<const CsvColumn>(document, static_cast<int>(f) + 1, std::move(table.numbers[f]));
    }
    readers::storeRecords(slot, std::move(table.times), columns);
}

ReadResult FuncReadCsvFile(BusyDisplay& display, const QString& path, SlotData& slot)
{
    ReadResult result;
    result.logLabel = QStringLiteral("modFunc_Ran.FuncReadCsvFile");
    BusyNotice busy(display, CsvBusyDots, Cancellable::Yes);
    slot.clearRecords();

    const models::ReadPlan plan = models::csvPlan(slot.traits(), slot.AllChannels);
    if (!plan.hasReader()) {
        result.status =
            Status::failure(StatusCode::NoReader, QStringLiteral("No CSV reading is defined for the model \"%1\".").arg(slot.ModelName()));
        return result;
    }
    Result<CsvCount> counted = FuncCountCsvRecords(path, &busy);
    if (!counted.ok()) {
        result.status = counted.status();
        return result;
    }
    const CsvCount count = std::move(counted).value();
    if (count.RecordCount == 0) {
        result.status = Status::failure(StatusCode::Malformed, QStringLiteral("The file holds no data line with a valid time."));
        return result;
    }
    if (count.RecordCount > readers::MaxRecords) {
        result.status = readers::tooManyRecords();
        return result;
    }
    CsvTable table = FuncAllocTraceData(count, plan);
    result.status = FuncParseCsvFile(count, table, &busy);
    if (!result.ok())
        return result;

    storeCsvRecords(count, std::move(table), slot);
    return result;
}

} // namespace qor
