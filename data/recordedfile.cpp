#include "recordedfile.h"

#include "csvlines.h"
#include "csvreader.h"
#include "datreader.h"
#include "logreader.h"
#include "mappedfile.h"

namespace qor::recordedfile {

namespace {

HeaderResult readCsvHeader(const QString& path, SlotData& slot)
{
    MappedFile::OpenResult opened = MappedFile::open(path);
    if (opened.failure)
        return {HeaderStatus::Unreadable, opened.failure};
    csv::LineCursor cursor(opened.file->bytes());
    const std::string_view first = cursor.next();
    const std::string_view second = cursor.atEnd() ? std::string_view() : cursor.next();
    const QString line1 = QString::fromLatin1(first.data(), static_cast<qsizetype>(std::min<std::size_t>(first.size(), 40)));
    const QString line2 = QString::fromLatin1(second.data(), static_cast<qsizetype>(std::min<std::size_t>(second.size(), 40)));
    if (!models::hasCsvModelLine(line1))
        return {HeaderStatus::NoModelLine, std::nullopt};
    const QString model = models::csvModelName(line1);
    if (!models::isRecognisedCsvModel(model))
        return {HeaderStatus::UnknownCsvModel, std::nullopt};
    slot.ModelName = model;
    if (const std::optional<QString> option = models::csvModelOption(model, line2))
        slot.ModelOption = *option;
    HeaderResult result;
    if (models::isQor1400Family(model)) {
        slot.AllChannels = slot.ModelOption.isEmpty();
        result.channelDisplayCode = models::csvChannelDisplayCode(line2);
    }
    return result;
}

HeaderResult readLogHeaderInto(const QString& path, SlotData& slot)
{
    const LogHeaderResult read = readLogHeader(path);
    if (read.failure)
        return {HeaderStatus::Unreadable, read.failure};
    slot.ModelName = read.header.ModelName;
    slot.ModelOption = read.header.ModelOption;
    if (slot.ModelName == u"QOR1400")
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
