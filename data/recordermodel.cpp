#include "recordermodel.h"

#include "modeltable.h"

namespace qor::models {

namespace {

using enum ColumnId;

constexpr qsizetype HeaderLineLength = 40;

// The cells of a file kind; nullptr for a path of no known kind.
const FileTraits* fileTraits(FileKind kind, const ModelTraits& model)
{
    switch (kind) {
    case FileKind::Log:
        return &model.log;
    case FileKind::Csv:
        return &model.csv;
    case FileKind::Dat:
        return &model.dat;
    case FileKind::Unknown:
        break;
    }
    return nullptr;
}

ReadPlan planOf(const FileTraits& file, bool narrowed)
{
    const PlanCell& cell = narrowed ? file.narrowedPlan : file.plan;
    ReadPlan plan{{cell.values.begin(), cell.values.end()}, {}, cell.plots4And5OnTemperatureAxis};
    for (int k = 0; k < cell.plots; ++k)
        plan.plots.push_back({k + 1, plan.values[static_cast<std::size_t>(k)]});
    return plan;
}

// Trims blanks only; other padding characters count as text.
QStringView trimmedBlanks(QStringView s)
{
    while (!s.isEmpty() && s.front() == u' ')
        s = s.mid(1);
    while (!s.isEmpty() && s.back() == u' ')
        s.chop(1);
    return s;
}

QString headerLine(QStringView line)
{
    return line.left(HeaderLineLength).toString();
}

} // namespace

FileKind fileKindOf(QStringView path)
{
    const QStringView ext = path.right(4);
    if (ext.compare(u".CSV", Qt::CaseInsensitive) == 0)
        return FileKind::Csv;
    if (ext.compare(u".LOG", Qt::CaseInsensitive) == 0)
        return FileKind::Log;
    if (ext.compare(u".DAT", Qt::CaseInsensitive) == 0)
        return FileKind::Dat;
    return FileKind::Unknown;
}

bool isQor1400Family(const ModelTraits& model)
{
    return model.qor1400Family;
}

bool optionTellsAllChannels(FileKind kind, const ModelTraits& model)
{
    const FileTraits* file = fileTraits(kind, model);
    return file && file->optionTellsAllChannels;
}

ReadPlan logPlan(const ModelTraits& model, QStringView option)
{
    return planOf(model.log, !option.isEmpty());
}

ReadPlan csvPlan(const ModelTraits& model, bool allChannels)
{
    return planOf(model.csv, !allChannels);
}

ReadPlan datPlan(const ModelTraits& model)
{
    return planOf(model.dat, false);
}

int legendEntries(FileKind kind, const ModelTraits& model, QStringView option)
{
    const FileTraits* file = fileTraits(kind, model);
    if (!file)
        return 0;
    return option.isEmpty() ? file->legendEntries : file->narrowedLegendEntries;
}

QString exportHeading(const ModelTraits& model, QStringView option)
{
    return (option.isEmpty() ? model.exportHeading : model.narrowedExportHeading).toString();
}

std::span<const ColumnId> exportedColumns(const ModelTraits& model)
{
    return model.exportedColumns;
}

namespace {

// PV, SP and MV of channel `channel` (1 to 3), the first headed by `firstPrefix`, the others by
// `otherPrefix`.
std::vector<HeaderText> channelHeaders(const QString& firstPrefix, const QString& otherPrefix)
{
    return {{firstPrefix, DigitalText::PV}, {otherPrefix, DigitalText::SP}, {otherPrefix, DigitalText::MV}};
}

std::vector<GridColumn> gridColumns(const std::vector<HeaderText>& headers)
{
    std::vector<GridColumn> out;
    for (std::size_t i = 0; i < headers.size(); ++i)
        out.push_back({static_cast<ColumnId>(i + 1), headers[i]});
    return out;
}

// Channels 1 to `channels` with the record-grid prefixes "CH1_" on the first column of each
// channel, and the statistics prefixes "CH1 " on every row when `eachRowPrefixed`, else on the first
// row of each channel.
TableLayout multiChannel(int channels, bool eachRowPrefixed)
{
    std::vector<HeaderText> grid, statistics;
    for (int ch = 1; ch <= channels; ++ch) {
        const QString n = QString::number(ch);
        const QString rowPrefix = u"CH" + n + u' ';
        const std::vector<HeaderText> g = channelHeaders(u"CH" + n + u'_', {});
        const std::vector<HeaderText> s = channelHeaders(rowPrefix, eachRowPrefixed ? rowPrefix : QString());
        grid.insert(grid.end(), g.begin(), g.end());
        statistics.insert(statistics.end(), s.begin(), s.end());
    }
    return {gridColumns(grid), statistics};
}

TableLayout oneChannel(QStringView option)
{
    const QString n = option.toString() + u' ';
    return {gridColumns(channelHeaders(n, n)), channelHeaders({}, {})};
}

TableLayout listedEntries(std::span<const GridEntry> entries)
{
    TableLayout layout;
    for (const GridEntry& entry : entries) {
        const HeaderText header{{}, entry.text};
        layout.values.push_back({entry.column, header});
        layout.statistics.push_back(header);
    }
    return layout;
}

bool isWide(const TableCell& table, QStringView option, bool allChannels, int filledChannels)
{
    if (table.channels < 2 || filledChannels < table.channels)
        return false;
    switch (table.wideWhen) {
    case WideWhen::Always:
        return true;
    case WideWhen::WithoutOption:
        return option.isEmpty();
    case WideWhen::WithAllChannels:
        return allChannels;
    }
    return false;
}

} // namespace

HeaderText timeHeader()
{
    return {{}, DigitalText::Time};
}

int filledChannels(const TraceColumns& columns)
{
    if (!columns.column(PV2)->isFilled())
        return 1;
    return columns.column(PV3)->isFilled() ? 3 : 2;
}

std::optional<TableLayout> tableLayout(const ModelTraits& model, QStringView option, bool allChannels, int filledChannels)
{
    const TableCell& table = model.table;
    if (!table.entries.empty())
        return listedEntries(table.entries);
    if (table.channels == 0)
        return std::nullopt;
    if (!isWide(table, option, allChannels, filledChannels))
        return oneChannel(option);
    TableLayout layout = multiChannel(table.channels, table.eachStatisticsRowPrefixed);
    if (table.optionNarrowsStatistics && !option.isEmpty())
        layout.statistics = channelHeaders({}, {});
    return layout;
}

std::optional<DigitalText> tableTitleKey(const ModelTraits& model)
{
    return model.table.titleKey;
}

std::optional<QString> logModelName(QStringView headerString1)
{
    const QStringView trimmed = trimmedBlanks(headerString1);
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 1)
        return std::nullopt;
    return trimmed.mid(1, close - 1).toString();
}

QString logModelOption(QStringView headerString2)
{
    return trimmedBlanks(headerString2).toString();
}

bool hasCsvModelLine(QStringView line1)
{
    return line1.startsWith(u';');
}

QString csvModelName(QStringView line1)
{
    const QString upper = headerLine(line1).toUpper();
    return trimmedBlanks(trimmedBlanks(upper).mid(2, 7)).toString();
}

bool isRecognisedCsvModel(const ModelTraits& model)
{
    return model.recognisedCsvModel;
}

std::optional<QString> csvModelOption(const ModelTraits& model, QStringView line2)
{
    const QString upper = headerLine(line2).toUpper();
    switch (model.csvOptionLine) {
    case CsvOptionLine::AfterMarker:
        return trimmedBlanks(QStringView(upper).mid(2)).toString();
    case CsvOptionLine::AfterTrimmedMarker:
        return trimmedBlanks(trimmedBlanks(upper).mid(2)).toString();
    case CsvOptionLine::NotRead:
        break;
    }
    return std::nullopt;
}

std::vector<ModelChoice> oldCsvModelChoices()
{
    std::vector<ModelChoice> out;
    for (const ModelTraits& row : modelTable()) {
        if (row.oldCsvChoiceFrame)
            out.push_back({u"; " + row.name.toString(), *row.oldCsvChoiceFrame});
    }
    return out;
}

int csvChannelDisplayCode(QStringView line2)
{
    const QString upper = headerLine(line2).toUpper();
    const QStringView trimmed = trimmedBlanks(upper);
    if (trimmed.isEmpty() || !trimmed.back().isDigit() || trimmed.back().unicode() > 127)
        return 0;
    return trimmed.back().digitValue();
}

} // namespace qor::models
