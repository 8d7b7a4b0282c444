#include "rendercommand.h"

#include "data/loadeddataset.h"
#include "data/recordedfile.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "shell/graphsettings.h"
#include "shell/main/mainwindow.h"
#include "shell/prompts.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <optional>

namespace qor {

namespace {

constexpr QSize DefaultSize(1600, 900);

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

// Files the open command would refuse with a message, said plainly; and an old CSV file without a
// model line, which would need the model selection window, and so a person.
std::optional<QString> refusedBeforeOpening(const QString& path)
{
    const models::FileKind kind = models::fileKindOf(path);
    if (kind == models::FileKind::Unknown)
        return QStringLiteral("the file is none of the kinds .LOG, .CSV, .DAT");
    if (QFile file(path); !file.open(QIODevice::ReadOnly))
        return file.errorString();
    if (kind != models::FileKind::Csv)
        return std::nullopt;
    SlotData scratch;
    const recordedfile::HeaderResult header = recordedfile::readHeaderInto(kind, path, scratch);
    if (header.status == recordedfile::HeaderStatus::UnknownCsvModel)
        return QStringLiteral("the CSV file names no recorder model");
    return std::nullopt;
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
    if (const std::optional<QString> reason = refusedBeforeOpening(path))
        return fail(err, QStringLiteral("%1: %2").arg(path, *reason));

    LoadGraphSettings();
    LoadStringTable();
    auto console = std::make_unique<ConsolePrompts>();
    ConsolePrompts& messages = *console;
    setPrompts(std::move(console));
    MainWindow window;
    // A picture needs no table window: without one the open command leaves the records ungridded.
    for (int slot = 1; slot <= 2; ++slot)
        setTableForm(slot, nullptr);
    if (!window.openFile(path))
        return fail(err, QStringLiteral("%1: %2").arg(path, messages.messages.join(u' ')));

    TrendGraph& graph = *graphWindow(loadedData().FileNo)->CWGraph1();
    graph.resize(*size);
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || !graph.controlImage().save(&file, "PNG") || !file.commit())
        return fail(err, QStringLiteral("cannot write %1: %2").arg(out, file.errorString()));
    return 0;
}

} // namespace qor
