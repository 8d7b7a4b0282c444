#include "rendercommand.h"

#include "data/loadeddataset.h"
#include "data/nullgraph.h"
#include "data/recordingopener.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "shell/errorlog.h"
#include "shell/graphsettings.h"
#include "shell/main/mainwindow.h"
#include "shell/programstate.h"
#include "shell/prompts.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"

#include <QRegularExpression>
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

// What the open command would have shown in message boxes goes to standard error instead; there
// is nobody to answer a dialog.
class ConsolePrompts final : public Prompts {
  public:
    QStringList messages;

    QString openFile(QWidget*, const QString&, const QStringList&, int) override { return {}; }
    QString saveFile(QWidget*, const QString&, const QStringList&, int) override { return {}; }
    std::optional<QColor> color(QWidget*, const QColor&) override { return std::nullopt; }
    void message(QWidget*, const QString& text, const QString&) override { messages << text; }
};

std::optional<QSize> parseSize(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.width() < 16 || size.height() < 16 || size.width() > 16384 || size.height() > 16384)
        return std::nullopt;
    return size;
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
    NullGraph noWindow;
    OpenedRecording opened = openRecording(path, noWindow, RenderLogLabel);
    for (const QString& line : opened.logLines)
        WriteErrorLog(line);
    if (!opened.opened())
        return fail(err, QStringLiteral("%1: %2").arg(path, opened.status.message()));

    LoadGraphSettings();
    LoadStringTable();
    auto console = std::make_unique<ConsolePrompts>();
    ConsolePrompts& messages = *console;
    setPrompts(std::move(console));
    MainWindow window;
    // A picture needs no table window: without one the open command leaves the records ungridded.
    for (int slot = 1; slot <= 2; ++slot)
        setTableForm(slot, nullptr);
    window.showRecording(opened);
    if (!messages.messages.isEmpty())
        return fail(err, QStringLiteral("%1: %2").arg(path, messages.messages.join(u' ')));

    TrendGraph& graph = *graphWindow(loadedData().FileNo)->CWGraph1();
    graph.resize(*size);
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || !graph.controlImage().save(&file, "PNG") || !file.commit())
        return fail(err, QStringLiteral("cannot write %1: %2").arg(out, file.errorString()));
    return 0;
}

} // namespace qor
