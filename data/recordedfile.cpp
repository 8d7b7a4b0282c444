#include "recordedfile.h"

#include "csvlines.h"
#include "csvreader.h"
#include "datreader.h"
#include "logreader.h"

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

HeaderResult readCsvHeader(const QString& path, SlotData& slot)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {HeaderStatus::Unreadable, file.errorString() + QStringLiteral(". ")};
    const QByteArray prefix = file.read(HeaderPrefixBytes);
    if (file.error() != QFileDevice::NoError)
        return {HeaderStatus::Unreadable, file.errorString() + QStringLiteral(". ")};
    csv::LineCursor cursor(std::string_view(prefix.constData(), static_cast<std::size_t>(prefix.size())));
    const std::string_view first = cursor.next();
    const bool hasSecond = !cursor.atEnd() && static_cast<qsizetype>(first.size()) <= LongestFirstLine;
    const QString line1 = headerLine(first);
    const QString line2 = hasSecond ? headerLine(cursor.next()) : QString();
    if (!models::hasCsvModelLine(line1))
        return {HeaderStatus::NoModelLine, std::nullopt};
    const QString model = models::csvModelName(line1);
    if (!models::isRecognisedCsvModel(model))
        return {HeaderStatus::UnknownCsvModel, std::nullopt};
    slot.ModelName = model;
    if (const std::optional<QString> option = models::csvModelOption(model, line2))
        slot.ModelOption = *option;
    if (models::optionTellsAllChannels(models::FileKind::Csv, model))
        slot.AllChannels = slot.ModelOption.isEmpty();
    HeaderResult result;
    if (models::isQor1400Family(model))
        result.channelDisplayCode = models::csvChannelDisplayCode(line2);
    return result;
}

HeaderResult readLogHeaderInto(const QString& path, SlotData& slot)
{
    const LogHeaderResult read = readLogHeader(path);
    if (read.failure)
        return {HeaderStatus::Unreadable, read.failure};
    slot.ModelName = read.header.ModelName;
    slot.ModelOption = read.header.ModelOption;
    if (models::optionTellsAllChannels(models::FileKind::Log, slot.ModelName))
        slot.AllChannels = slot.ModelOption.isEmpty();
    return {};
}

} // namespace

HeaderResult readHeaderInto(models::FileKind kind, const QString& path, SlotData& slot)
{
    switch (kind) {
    case models::FileKind::Csv:
        return readCsvHeader(path, slot);
    case models::FileKind::Log:
        return readLogHeaderInto(path, slot);
    case models::FileKind::Dat:
        return {};
    case models::FileKind::Unknown:
        break;
    }
    return {HeaderStatus::UnknownKind, std::nullopt};
}

models::ReadPlan readPlan(models::FileKind kind, const SlotData& slot)
{
    switch (kind) {
    case models::FileKind::Csv:
        return models::csvPlan(slot.ModelName, slot.AllChannels);
    case models::FileKind::Log:
        return models::logPlan(slot.ModelName, slot.ModelOption);
    case models::FileKind::Dat:
        return models::datPlan(slot.ModelName);
    case models::FileKind::Unknown:
        break;
    }
    return {};
}

ReadResult readRecords(models::FileKind kind, TraceGraph& graph, const QString& path, SlotData& slot)
{
    switch (kind) {
    case models::FileKind::Csv:
        return FuncReadCsvFile(graph, path, slot);
    case models::FileKind::Log:
        return FuncReadFile(graph, path, slot);
    case models::FileKind::Dat:
        return FuncReadDatFile(graph, path, slot);
    case models::FileKind::Unknown:
        break;
    }
    ReadResult result;
    result.failure = QStringLiteral("The file is no .CSV, .LOG or .DAT file. ");
    return result;
}

} // namespace qor::recordedfile
