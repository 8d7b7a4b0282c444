#include "recordermodel.h"

#include <initializer_list>

namespace qor::models {

namespace {

using enum ColumnId;

constexpr qsizetype HeaderLineLength = 40;

bool isOneOf(QStringView model, std::initializer_list<QStringView> names)
{
    for (QStringView name : names) {
        if (model == name)
            return true;
    }
    return false;
}

std::vector<ColumnId> firstColumns(int count)
{
    std::vector<ColumnId> out;
    for (int k = 1; k <= count; ++k)
        out.push_back(static_cast<ColumnId>(k));
    return out;
}

// Plot k from column k for the first `count` columns.
std::vector<PlotAssignment> firstPlots(int count)
{
    std::vector<PlotAssignment> out;
    for (ColumnId id : firstColumns(count))
        out.push_back({columnNumber(id), id});
    return out;
}

// The QOR1000-Z7 records a fourth value, kept in MV2 and drawn as plot 4.
ReadPlan z7Plan(bool drawn)
{
    ReadPlan plan{{PV1, SP1, MV1, MV2}, {}, false};
    if (drawn)
        plan.plots = {{1, PV1}, {2, SP1}, {3, MV1}, {4, MV2}};
    return plan;
}

ReadPlan columnsAndPlots(int values, int plots, bool temperatureAxis = false)
{
    return {firstColumns(values), firstPlots(plots), temperatureAxis};
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

bool isQor1400Family(QStringView model)
{
    return isOneOf(model, {u"QOR1400", u"QOR1400-Z11", u"QOR1400-Z12"});
}

ReadPlan logPlan(QStringView model, QStringView option)
{
    if (model == u"QOR1000-Z7")
        return z7Plan(true);
    if (isOneOf(model, {u"QOR1000", u"QOR1100"}))
        return option.isEmpty() ? columnsAndPlots(6, 6, true) : columnsAndPlots(3, 3);
    if (model == u"QOR1200")
        return columnsAndPlots(6, 6);
    if (model == u"QOR520")
        return columnsAndPlots(6, 3);
    if (model == u"QOR1300" || (model == u"QOR1400" && option.isEmpty()))
        return columnsAndPlots(9, 9, true);
    return columnsAndPlots(3, 3);
}

ReadPlan csvPlan(QStringView model, bool allChannels)
{
    if (isOneOf(model, {u"QOR1000", u"QOR1100"}))
        return columnsAndPlots(3, 3);
    if (isOneOf(model, {u"QOR500", u"QOR510"}))
        return columnsAndPlots(3, 0);
    if (model == u"QOR1000-Z7")
        return z7Plan(true);
    if (model == u"QOR1200")
        return columnsAndPlots(6, 6);
    if (model == u"QOR520")
        return columnsAndPlots(6, 0);
    if (model == u"QOR1300" || (isQor1400Family(model) && allChannels))
        return columnsAndPlots(9, 9, true);
    if (isQor1400Family(model))
        return columnsAndPlots(3, 3);
    return {};
}

ReadPlan datPlan(QStringView model)
{
    if (model == u"QOR500")
        return columnsAndPlots(3, 3);
    if (model == u"QOR510")
        return columnsAndPlots(6, 6, true);
    // Any other model: the first channel is read, nothing is drawn.
    return columnsAndPlots(3, 0);
}

int legendEntries(FileKind kind, QStringView model, QStringView option)
{
    switch (kind) {
    case FileKind::Log:
        if (isOneOf(model, {u"QOR1000", u"QOR1100"}))
            return option.isEmpty() ? 6 : 3;
        if (model == u"QOR1000-Z7")
            return 4;
        if (model == u"QOR1200")
            return 6;
        if (model == u"QOR1300")
            return 9;
        if (model == u"QOR1400")
            return option.isEmpty() ? 9 : 3;
        return 0;
    case FileKind::Csv:
        if (isOneOf(model, {u"QOR1000", u"QOR1100"}))
            return 3;
        if (model == u"QOR1200")
            return 6;
        if (model == u"QOR1300")
            return 9;
        if (model == u"QOR1400")
            return option.isEmpty() ? 9 : 3;
        return 0;
    case FileKind::Dat:
        return model == u"QOR500" ? 3 : model == u"QOR510" ? 6 : 0;
    case FileKind::Unknown:
        break;
    }
    return 0;
}

QString exportHeading(QStringView model, QStringView option)
{
    const bool twoChannelFamily = isOneOf(model, {u"QOR1000", u"QOR1100"});
    if ((twoChannelFamily || model == u"QOR1400") && !option.isEmpty())
        return QStringLiteral("TIME,PV,SP,MV");
    if (model == u"QOR500")
        return QStringLiteral("TIME,PV,SP,MV");
    if (twoChannelFamily || model == u"QOR510")
        return QStringLiteral("TIME,CH1_PV,CH1_SP,CH1_MV,CH2_PV,CH2_SP,CH2_MV");
    if (model == u"QOR1200")
        return QStringLiteral("TIME,TPV,TSP,TMV,HPV,HSP,HMV");
    if (model == u"QOR1300")
        return QStringLiteral("TIME,Hi.PV,Hi.SP,Hi.MV,Exp.PV,Exp.SP,Exp.MV,Lo.PV,Lo.SP,Lo.MV");
    if (model == u"QOR1400")
        return QStringLiteral("TIME,CH1_PV,CH1_SP,CH1_MV,CH2_PV,CH2_SP,CH2_MV,CH3_PV,CH3_SP,CH3_MV");
    return {};
}

namespace {

HeaderText digital(int key, const QString& prefix = {})
{
    return {prefix, TextSection::Digital, key};
}

// PV, SP and MV of channel `channel` (1 to 3), the first headed by `firstPrefix`, the others by
// `otherPrefix`.
std::vector<HeaderText> channelHeaders(const QString& firstPrefix, const QString& otherPrefix)
{
    return {digital(6, firstPrefix), digital(7, otherPrefix), digital(8, otherPrefix)};
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

TableLayout numberedEntries(int firstKey, int count)
{
    std::vector<HeaderText> headers;
    for (int key = firstKey; key < firstKey + count; ++key)
        headers.push_back(digital(key));
    return {gridColumns(headers), headers};
}

TableLayout z7Layout()
{
    const std::vector<HeaderText> headers{digital(6), digital(7), {{}, TextSection::Graph, 21}, {{}, TextSection::Graph, 22}};
    return {{{PV1, headers[0]}, {SP1, headers[1]}, {MV1, headers[2]}, {MV2, headers[3]}}, headers};
}

} // namespace

HeaderText timeHeader()
{
    return digital(5);
}

int filledChannels(const TraceColumns& columns)
{
    if (!columns.column(PV2)->isFilled())
        return 1;
    return columns.column(PV3)->isFilled() ? 3 : 2;
}

std::optional<TableLayout> tableLayout(QStringView model, QStringView option, bool allChannels, int filledChannels)
{
    const bool twoChannelCandidate = model == u"QOR510" || (isOneOf(model, {u"QOR1000", u"QOR1100"}) && option.isEmpty());
    if (twoChannelCandidate && filledChannels >= 2) {
        TableLayout layout = multiChannel(2, true);
        // A QOR510 file with an option keeps both channels in the grid but evaluates only the first.
        if (!option.isEmpty())
            layout.statistics = channelHeaders({}, {});
        return layout;
    }
    if (isQor1400Family(model) && allChannels && filledChannels >= 3)
        return multiChannel(3, false);
    if (twoChannelCandidate || isOneOf(model, {u"QOR1000", u"QOR1100", u"QOR500"}) || isQor1400Family(model))
        return oneChannel(option);
    if (model == u"QOR1000-Z7")
        return z7Layout();
    if (isOneOf(model, {u"QOR1200", u"QOR520"}))
        return numberedEntries(6, 6);
    if (model == u"QOR1300")
        return numberedEntries(12, 9);
    return std::nullopt;
}

std::optional<int> tableTitleKey(QStringView model)
{
    if (isOneOf(model, {u"QOR1000", u"QOR1100", u"QOR500", u"QOR510", u"QOR1400"}))
        return 21;
    if (isOneOf(model, {u"QOR1200", u"QOR520"}))
        return 22;
    if (model == u"QOR1300")
        return 23;
    return std::nullopt;
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

bool isRecognisedCsvModel(QStringView model)
{
    return isOneOf(model, {u"QOR1000", u"QOR1100", u"QOR1200", u"QOR1300", u"QOR1400"});
}

std::optional<QString> csvModelOption(QStringView model, QStringView line2)
{
    const QString upper = headerLine(line2).toUpper();
    if (isOneOf(model, {u"QOR1000", u"QOR1100"}))
        return trimmedBlanks(QStringView(upper).mid(2)).toString();
    if (isQor1400Family(model))
        return trimmedBlanks(trimmedBlanks(upper).mid(2)).toString();
    return std::nullopt;
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
