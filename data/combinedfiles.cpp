#include "combinedfiles.h"

#include "csvlines.h"
#include "datetime.h"
#include "modeltable.h"
#include "readersupport.h"

#include <cstring>

namespace qor::combined {

namespace {

// Only this much of a comment line is looked at for the model.
constexpr qsizetype ModelLineWidth = 40;

const QString ModelCheckMessage = QStringLiteral("Please select the same model. => #1 ");

// The model named by the last comment line that names one. Comment lines begin with ";" and are
// rare among the records, so they are found by their first character rather than line by line.
QString modelOf(std::string_view text)
{
    QString model;
    for (std::size_t at = 0; at < text.size();) {
        const void* found = std::memchr(text.data() + at, ';', text.size() - at);
        if (!found)
            break;
        at = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        if (at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r') {
            csv::LineCursor line(text, at);
            if (QString named = commentModel(line.next()); !named.isEmpty())
                model = std::move(named);
        }
        ++at;
    }
    return model;
}

// The time of the last record, found from the end of the file; nullopt when there is none.
std::optional<std::int64_t> lastRecordSeconds(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0) {
        std::size_t start = text.find_last_of("\r\n", end - 1);
        start = start == std::string_view::npos ? 0 : start + 1;
        if (const std::optional<std::int64_t> time = csv::recordTime(text.substr(start, end - start)))
            return time;
        end = start == 0 ? 0 : start - 1;
    }
    return std::nullopt;
}

QString modelText(const ScannedFile* file)
{
    return file ? file->model : QString();
}

} // namespace

QString commentModel(std::string_view line)
{
    const bool comment = line.starts_with(';') || line.find_first_not_of(" \t") == std::string_view::npos;
    if (!comment)
        return {};
    const QString cut = QString::fromLatin1(line.substr(0, ModelLineWidth)).trimmed().toUpper();
    return cut.mid(2, 3) == u"QOR" ? cut.mid(2, 7) : QString();
}

Result<ScannedFile> scanFile(const QString& path, BusyNotice* busy)
{
    Result<CsvCount> counted = FuncCountCsvRecords(path, busy);
    if (!counted.ok())
        return counted.status();
    ScannedFile file{path, {}, std::move(counted).value(), 0, 0};
    if (file.count.RecordCount == 0)
        return Status::failure(StatusCode::Malformed, QStringLiteral("The file holds no data line with a valid time."));
    if (file.count.RecordCount > readers::MaxRecords)
        return readers::tooManyRecords();
    const std::string_view text = textOf(*file.count.bytes);
    file.model = modelOf(text);
    file.firstSeconds = datetime::secondsFromSerial(file.count.StartDate);
    file.lastSeconds = lastRecordSeconds(text).value_or(file.firstSeconds);
    return file;
}

Status modelCheck(const ScannedFiles& files)
{
    const QString first = modelText(files[0]);
    if (files[0] && files[1] && models::combinable(first, files[1]->model))
        return {};
    return Status::failure(StatusCode::Refused, ModelCheckMessage + first + QStringLiteral("   #2 ") + modelText(files[1]) +
                                                    QStringLiteral("   #3 ") + modelText(files[2]));
}

CombinedSpan combinedSpan(const ScannedFiles& files)
{
    const ScannedFile* starter = files[0]->firstSeconds < files[1]->firstSeconds ? files[0] : files[1];
    const ScannedFile* ender = files[0]->lastSeconds > files[1]->lastSeconds ? files[0] : files[1];
    if (const ScannedFile* third = files[2]) {
        if (third->firstSeconds < starter->firstSeconds)
            starter = third;
        if (third->lastSeconds > ender->lastSeconds)
            ender = third;
    }
    return {datetime::serialFromSeconds(starter->firstSeconds), datetime::serialFromSeconds(ender->lastSeconds),
            static_cast<qint32>(starter->count.RecordCount)};
}

Status loadFile(const ScannedFile& file, SlotData& slot, BusyNotice* busy)
{
    models::ReadPlan plan;
    plan.values = {ColumnId::PV1, ColumnId::SP1, ColumnId::MV1};
    CsvTable table = FuncAllocTraceData(file.count, plan);
    if (Status parsed = FuncParseCsvFile(file.count, table, busy); !parsed.ok())
        return parsed;
    storeCsvRecords(file.count, std::move(table), slot);
    return {};
}

} // namespace qor::combined
