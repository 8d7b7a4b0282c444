#include "csvreader.h"

#include "csvlines.h"
#include "datetime.h"
#include "numbertext.h"
#include "parallel.h"
#include "readersupport.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace qor {

namespace {

constexpr std::size_t MinPartBytes = 8 << 20;
constexpr int BusyDots = 35;
constexpr qint64 ProgressLines = 1 << 16;
// Counting takes about a quarter of a read; parsing the rest.
constexpr double CountShare = 0.25;

std::vector<CsvPart> splitIntoParts(std::string_view text)
{
    const int parts = partCount(static_cast<std::int64_t>(text.size()), MinPartBytes);
    std::vector<CsvPart> out;
    std::size_t begin = 0;
    for (int p = 1; p <= parts; ++p) {
        const std::size_t end = p == parts ? text.size() : csv::lineStartAtOrAfter(text, text.size() * static_cast<std::size_t>(p) / static_cast<std::size_t>(parts));
        out.push_back({begin, std::max(begin, end), 0, std::nullopt});
        begin = std::max(begin, end);
    }
    return out;
}

void reportProgress(BusyNotice* busy, const CsvPart& part, std::size_t offset, double from, double share)
{
    if (busy && part.end > part.begin)
        busy->progress(from + share * static_cast<double>(offset - part.begin) / static_cast<double>(part.end - part.begin));
}

void countPart(std::string_view text, CsvPart& part, BusyNotice* busy)
{
    csv::LineCursor cursor(text.substr(0, part.end), part.begin);
    for (qint64 lines = 1; !cursor.atEnd(); ++lines) {
        if (const std::optional<std::int64_t> time = csv::recordTime(cursor.next())) {
            if (part.records++ == 0)
                part.firstTime = time;
        }
        if (lines % ProgressLines == 0)
            reportProgress(busy, part, cursor.offset(), 0, CountShare);
    }
}

bool isDigitOrPoint(char c)
{
    return (c >= '0' && c <= '9') || c == '.';
}

// True for a digit or point, optionally after a minus sign: what from_chars may take without
// also taking words such as "inf".
bool startsLikeNumber(const char* first, const char* last)
{
    if (first != last && *first == '-')
        ++first;
    return first != last && isDigitOrPoint(*first);
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
        const char* first = line.data() + start;
        const char* last = line.data() + line.size();
        const auto [end, error] = std::from_chars(first, last, value);
        if (startsLikeNumber(first, last) && error == std::errc() && (end == last || *end == ',')) {
            column[record] = value;
            at = static_cast<std::size_t>(end - line.data());
            continue;
        }
        at = std::min(line.find(',', start), line.size());
        column[record] = numbers::parseNumber(line.substr(start, at - start)).value_or(std::numeric_limits<double>::quiet_NaN());
    }
}

// Parses one part into the table, starting at record `first`; returns the part's checkpoints.
std::vector<CsvDocument::Checkpoint> parsePart(std::string_view text, const CsvPart& part, qint64 first, CsvTable& table,
                                               BusyNotice* busy)
{
    std::vector<CsvDocument::Checkpoint> checkpoints;
    csv::LineCursor cursor(text.substr(0, part.end), part.begin);
    auto record = static_cast<std::size_t>(first);
    for (qint64 lines = 1; !cursor.atEnd(); ++lines) {
        const std::size_t offset = cursor.offset();
        const std::string_view line = cursor.next();
        const std::optional<std::int64_t> time = csv::recordTime(line);
        if (!time)
            continue;
        if (checkpoints.empty() || static_cast<qint64>(record) - checkpoints.back().record >= CsvDocument::RecordsPerCheckpoint
            || offset - checkpoints.back().offset >= CsvDocument::BytesPerCheckpoint)
            checkpoints.push_back({static_cast<qint64>(record), offset});
        table.times[record] = datetime::serialFromSeconds(*time);
        parseFields(line, record, table.numbers);
        ++record;
        if (lines % ProgressLines == 0)
            reportProgress(busy, part, offset, CountShare, 1 - CountShare);
    }
    return checkpoints;
}

} // namespace

CsvCount FuncCountCsvRecords(const QString& path, BusyNotice* busy)
{
    CsvCount count;
    MappedFile::OpenResult opened = MappedFile::open(path);
    if (opened.failure) {
        count.failure = opened.failure;
        return count;
    }
    count.file = std::move(opened.file);
    const std::string_view text = count.file->bytes();
    count.parts = splitIntoParts(text);
    runInParts(static_cast<std::int64_t>(count.parts.size()), 1, [&](int part, std::int64_t, std::int64_t) {
        countPart(text, count.parts[static_cast<std::size_t>(part)], part == 0 ? busy : nullptr);
        return true;
    });
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

void FuncParseCsvFile(const CsvCount& count, CsvTable& table, BusyNotice* busy)
{
    const std::string_view text = count.file->bytes();
    std::vector<std::vector<CsvDocument::Checkpoint>> checkpoints(count.parts.size());
    std::vector<qint64> firstRecord(count.parts.size(), 0);
    for (std::size_t p = 1; p < count.parts.size(); ++p)
        firstRecord[p] = firstRecord[p - 1] + count.parts[p - 1].records;
    runInParts(static_cast<std::int64_t>(count.parts.size()), 1, [&](int part, std::int64_t, std::int64_t) {
        const auto p = static_cast<std::size_t>(part);
        checkpoints[p] = parsePart(text, count.parts[p], firstRecord[p], table, part == 0 ? busy : nullptr);
        return true;
    });
    for (const std::vector<CsvDocument::Checkpoint>& part : checkpoints)
        table.checkpoints.insert(table.checkpoints.end(), part.begin(), part.end());
}

ReadResult FuncReadCsvFile(TraceGraph& graph, const QString& path, SlotData& slot)
{
    ReadResult result;
    result.logLabel = QStringLiteral("modFunc_Ran.FuncReadCsvFile");
    BusyNotice busy(graph, BusyDots);
    slot.clearRecords();

    const models::ReadPlan plan = models::csvPlan(slot.ModelName, slot.AllChannels);
    if (!plan.hasReader()) {
        result.failure = QStringLiteral("No CSV reading is defined for the model \"%1\". ").arg(slot.ModelName);
        return result;
    }
    const CsvCount count = FuncCountCsvRecords(path, &busy);
    if (count.failure) {
        result.failure = count.failure;
        return result;
    }
    if (count.RecordCount == 0 || count.RecordCount > readers::MaxRecords) {
        result.failure = count.RecordCount == 0 ? QStringLiteral("The file holds no data line with a valid time. ")
                                                : QStringLiteral("The file holds more records than can be shown. ");
        return result;
    }
    CsvTable table = FuncAllocTraceData(count, plan);
    FuncParseCsvFile(count, table, &busy);

    const auto document = std::make_shared<const CsvDocument>(count.file, std::move(table.checkpoints));
    readers::ReadColumns columns;
    for (std::size_t f = 0; f < table.fields.size(); ++f) {
        const auto at = static_cast<std::size_t>(columnNumber(table.fields[f]) - 1);
        columns[at] = std::make_shared<const CsvColumn>(document, static_cast<int>(f) + 1, std::move(table.numbers[f]));
    }
    readers::storeRecords(slot, std::move(table.times), columns);
    readers::showTimeRange(graph, slot);
    graph.setChartLength(slot.RecordCount);
    graph.clearData();
    readers::drawPlots(graph, slot, plan, readers::PlotCall::Plot);
    return result;
}

} // namespace qor
