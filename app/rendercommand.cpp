#include "rendercommand.h"

#include "consolesession.h"

#include "graph/graphwindow.h"
#include "graph/trendgraph.h"

#include <QSaveFile>

#include <optional>

namespace qor {

namespace {

constexpr QSize DefaultSize(1600, 900);
const QString RenderLogLabel = QStringLiteral("TraceReader --render");

void print(std::FILE* to, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
}

int fail(std::FILE* err, const QString& reason)
{
    print(err, QStringLiteral("TraceReader --render: %1\n").arg(reason));
    return 1;
}

} // namespace

int runRender(const QStringList& args, std::FILE* err)
{
    const bool sized = args.size() == 4 && args[2] == u"--size";
    if (args.size() != 2 && !sized)
        return fail(err, QStringLiteral("usage: TraceReader --render FILE OUT.png [--size WIDTHxHEIGHT]"));
    const QString& path = args[0];
    const QString& out = args[1];
    const std::optional<QSize> size = sized ? parseSize(args[3]) : DefaultSize;
    if (!size)
        return fail(err, QStringLiteral("bad size \"%1\": expected WIDTHxHEIGHT, each 16 to 16384").arg(args[3]));
    ConsoleSession session;
    if (const Status opened = session.open(path, RenderLogLabel); !opened.ok())
        return fail(err, QStringLiteral("%1: %2").arg(path, opened.message()));

    TrendGraph& graph = *session.graphWindow().CWGraph1();
    graph.resize(*size);
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || !graph.controlImage().save(&file, "PNG") || !file.commit())
        return fail(err, QStringLiteral("cannot write %1: %2").arg(out, file.errorString()));
    return 0;
}

} // namespace qor
