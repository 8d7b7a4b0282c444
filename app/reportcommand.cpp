#include "reportcommand.h"

#include "consolesession.h"

#include "data/datetime.h"
#include "data/loadeddataset.h"
#include "graph/graphcursor.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "output/reportprint.h"
#include "shell/legendstate.h"
#include "shell/programstate.h"

#include <QDateTime>
#include <QPageLayout>

#include <algorithm>
#include <optional>

namespace qor {

namespace {

constexpr QSize DefaultSize(1600, 900);
constexpr int PdfResolution = 1200;
const QString ReportLogLabel = QStringLiteral("TraceReader --report");
const QString Usage =
    QStringLiteral("usage: TraceReader --report FILE OUT.pdf [--landscape] [--range FROM TO] [--comment TEXT] [--size WIDTHxHEIGHT]");

struct ReportRequest {
    QString path;
    QString out;
    bool landscape = false;
    std::optional<std::pair<double, double>> range;
    std::optional<QString> comment;
    QSize size = DefaultSize;
};

int fail(std::FILE* err, const QString& reason)
{
    std::fputs(QStringLiteral("TraceReader --report: %1\n").arg(reason).toLocal8Bit().constData(), err);
    return 1;
}

std::optional<double> serialOf(const QString& text)
{
    const QDateTime time = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!time.isValid())
        return std::nullopt;
    const QDate date = time.date();
    return datetime::addSeconds(datetime::dateSerial(date.year(), date.month(), date.day()), time.time().msecsSinceStartOfDay() / 1000);
}

Status badArguments(const QString& reason)
{
    return Status::failure(StatusCode::Malformed, reason);
}

// The request, or the reason it cannot be understood.
Result<ReportRequest> parse(const QStringList& args)
{
    if (args.size() < 2 || args[0].startsWith(u"--") || args[1].startsWith(u"--"))
        return badArguments(Usage);
    ReportRequest request;
    request.path = args[0];
    request.out = args[1];
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString& option = args[i];
        const qsizetype left = args.size() - i - 1;
        if (option == u"--landscape") {
            request.landscape = true;
        } else if (option == u"--range" && left >= 2) {
            const std::optional<double> from = serialOf(args[i + 1]);
            const std::optional<double> to = serialOf(args[i + 2]);
            if (!from || !to)
                return badArguments(QStringLiteral("bad range: expected two times \"yyyy-mm-dd hh:nn:ss\""));
            request.range = std::pair(*from, *to);
            i += 2;
        } else if (option == u"--comment" && left >= 1) {
            request.comment = args[++i];
        } else if (option == u"--size" && left >= 1) {
            const std::optional<QSize> size = parseSize(args[++i]);
            if (!size)
                return badArguments(QStringLiteral("bad size \"%1\": expected WIDTHxHEIGHT, each 16 to 16384").arg(args[i]));
            request.size = *size;
        } else {
            return badArguments(Usage);
        }
    }
    return request;
}

// Refused when the range cannot be shown: it ends before the first record or starts after the last.
Status rangeCheck(std::pair<double, double> range, const SlotData& slot)
{
    if (!slot.FirstTime || !slot.LastTime)
        return {};
    const auto [from, to] = std::minmax(range.first, range.second);
    if (to >= *slot.FirstTime && from <= *slot.LastTime)
        return {};
    using datetime::isoText;
    return Status::failure(StatusCode::Refused,
                           QStringLiteral("the range %1 to %2 lies outside the recording, which runs from %3 to %4")
                               .arg(isoText(range.first), isoText(range.second), isoText(*slot.FirstTime), isoText(*slot.LastTime)));
}

// The range cursors on the records nearest the two times, and their statistics, as the legend and
// the statistics button give them.
void placeRangeCursors(GraphWindow& window, std::pair<double, double> range)
{
    if (!legendState().isOn(LegendState::RangeCursorsItem, window.slot()))
        window.legendClicked(LegendState::RangeCursorsItem);
    TrendGraph& graph = *window.CWGraph1();
    graph.cursor(2).setX(range.first);
    graph.cursor(3).setX(range.second);
    for (int cursor : {2, 3})
        window.cursors().cursorMoved(cursor, graph.cursor(cursor).y());
    window.RangeStatistics();
}

} // namespace

int runReport(const QStringList& args, std::FILE* err)
{
    const Result<ReportRequest> parsed = parse(args);
    if (!parsed.ok())
        return fail(err, parsed.status().message());
    const ReportRequest& request = *parsed;
    ConsoleSession session;
    if (const Status opened = session.open(request.path, ReportLogLabel); !opened.ok())
        return fail(err, QStringLiteral("%1: %2").arg(request.path, opened.message()));
    GraphWindow& window = session.graphWindow();
    window.CWGraph1()->resize(request.size);
    if (request.comment)
        loadedData().slot(window.slot()).PrintComment = *request.comment;
    if (request.range) {
        if (const Status inside = rangeCheck(*request.range, loadedData().slot(window.slot())); !inside.ok())
            return fail(err, inside.message());
        placeRangeCursors(window, *request.range);
        if (const QString shown = session.takeMessages(); !shown.isEmpty())
            return fail(err, shown);
    }
    const QPageLayout a4(QPageSize(QPageSize::A4), request.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
    if (const Status printed = output::writeReportPdf(request.out, a4, PdfResolution, window); !printed.ok())
        return fail(err, printed.message());
    return 0;
}

} // namespace qor
