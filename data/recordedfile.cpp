#include "recordedfile.h"

#include "csvlines.h"
#include "csvreader.h"
#include "datreader.h"
#include "logreader.h"
#include "readersupport.h"
#include "regularfile.h"

#include <QFile>

namespace qor::recordedfile {

namespace {

// Recognising a CSV file looks at the first 40 characters of its first two lines, so it reads only
// the beginning of the file: enough for a first line of up to 64 KiB, its line end and 40
// characters of the second line. A longer first line is no model line that any recorder writes;
// such a file is judged as if it had no second line.
constexpr qsizetype HeaderLineChars = 40;
constexpr qsizetype LongestFirstLine = 64 * 1024;
constexpr qsizetype HeaderPrefixBytes = LongestFirstLine + 2 + HeaderLineChars;

QString headerLine(std::string_view line)
{
    return QString::fromLatin1(line.data(), std::min(static_cast<qsizetype>(line.size()), HeaderLineChars));
}

Result<HeaderFacts> readCsvHeader(const QString& path, SlotData& slot)
{
    QFile file(path);
    if (const Status opened = openRegularFile(file, QIODevice::ReadOnly); !opened.ok())
        return opened;
    const QByteArray prefix = file.read(HeaderPrefixBytes);
    if (file.error() != QFileDevice::NoError)
        return readers::unreadable(file);
    csv::LineCursor cursor(std::string_view(prefix.constData(), static_cast<std::size_t>(prefix.size())));
    const std::string_view first = cursor.next();
    const bool hasSecond = !cursor.atEnd() && static_cast<qsizetype>(first.size()) <= LongestFirstLine;
    const QString line1 = headerLine(first);
    const QString line2 = hasSecond ? headerLine(cursor.next()) : QString();
    if (!models::hasCsvModelLine(line1))
        return Status::failure(StatusCode::NoModelLine, QStringLiteral("The first line of the CSV file does not begin with \";\"."));
    const QString model = models::csvModelName(line1);
    if (!models::isRecognisedCsvModel(models::traitsOf(model)))
        return Status::failure(StatusCode::UnknownCsvModel, QStringLiteral("The CSV file has no model line naming a recognised model."));
    slot.setModel(model);
    if (const std::optional<QString> option = models::csvModelOption(slot.traits(), line2))
        slot.ModelOption = *option;
    if (models::optionTellsAllChannels(models::FileKind::Csv, slot.traits()))
        slot.AllChannels = slot.ModelOption.isEmpty();
    HeaderFacts facts;
    if (models::isQor1400Family(slot.traits()))
        facts.channelDisplayCode = models::csvChannelDisplayCode(line2);
    return facts;
}

Result<HeaderFacts> readLogHeaderInto(const QString& path, SlotData& slot)
{
    const Result<LogHeader> header = readLogHeader(path);
    if (!header.ok())
        return header.status();
    slot.setModel(header->ModelName);
    slot.ModelOption = header->ModelOption;
    if (models::optionTellsAllChannels(models::FileKind::Log, slot.traits()))
        slot.AllChannels = slot.ModelOption.isEmpty();
    return HeaderFacts{};
}

Status unknownKind()
{
    return Status::failure(StatusCode::UnknownKind, QStringLiteral("The file is no .CSV, .LOG or .DAT file."));
}

} // namespace

Result<HeaderFacts> readHeaderInto(models::FileKind kind, const QString& path, SlotData& slot)
{
    switch (kind) {
    case models::FileKind::Csv:
        return readCsvHeader(path, slot);
    case models::FileKind::Log:
        return readLogHeaderInto(path, slot);
    case models::FileKind::Dat:
        return HeaderFacts{};
    case models::FileKind::Unknown:
        break;
    }
    return unknownKind();
}

models::ReadPlan readPlan(models::FileKind kind, const SlotData& slot)
{
    switch (kind) {
    case models::FileKind::Csv:
        return models::csvPlan(slot.traits(), slot.AllChannels);
    case models::FileKind::Log:
        return models::logPlan(slot.traits(), slot.ModelOption);
    case models::FileKind::Dat:
        return models::datPlan(slot.traits());
    case models::FileKind::Unknown:
        break;
    }
    return {};
}

ReadResult readRecords(models::FileKind kind, BusyDisplay& busy, const QString& path, SlotData& slot)
{
    switch (kind) {
    case models::FileKind::Csv:
        return FuncReadCsvFile(busy, path, slot);
    case models::FileKind::Log:
        return FuncReadFile(busy, path, slot);
    case models::FileKind::Dat:
        return FuncReadDatFile(busy, path, slot);
    case models::FileKind::Unknown:
        break;
    }
    return {unknownKind(), {}, {}};
}

} // namespace qor::recordedfile
