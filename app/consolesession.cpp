#include "consolesession.h"

#include "data/busynotice.h"
#include "data/loadeddataset.h"
#include "data/recordingopener.h"
#include "graph/graphwindow.h"
#include "shell/errorlog.h"
#include "shell/graphsettings.h"
#include "shell/programstate.h"
#include "shell/prompts.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <tuple>

namespace qor {

namespace {

const QString ErrorLogName = QStringLiteral("TraceReader.log");

class ConsolePrompts final : public Prompts {
  public:
    QStringList messages;

    QString openFile(QWidget*, const QString&, const QStringList&, int) override { return {}; }
    QString saveFile(QWidget*, const QString&, const QStringList&, int) override { return {}; }
    std::optional<QColor> color(QWidget*, const QColor&) override { return std::nullopt; }
    void message(QWidget*, const QString& text, const QString&) override { messages << text; }
    bool print(QWidget*, QPrinter&) override { return false; }
    bool openDocument(const QString&) override { return false; }
};

} // namespace

ConsoleSession::ConsoleSession() = default;

ConsoleSession::~ConsoleSession()
{
    setGraphForm(1, nullptr);
    m_window.reset();
    restoreSettingsFolder();
}

Status ConsoleSession::open(const QString& path, const QString& logLabel)
{
    NoBusyDisplay noWindow;
    OpenedRecording opened = openRecording(QFileInfo(path).absoluteFilePath(), noWindow, logLabel);
    for (const QString& line : opened.logLines)
        WriteErrorLog(line);
    if (!opened.opened())
        return opened.status;

    std::ignore = LoadGraphSettings();
    std::ignore = LoadStringTable();
    useScratchSettings();
    auto console = std::make_unique<ConsolePrompts>();
    m_messages = &console->messages;
    setPrompts(std::move(console));
    // A picture needs only the graph window of slot 1: no main window, no table window.
    m_window = std::make_unique<GraphWindow>(1);
    setGraphForm(1, m_window.get());
    m_window->load();
    m_window->clearForFile();
    m_window->takeRecording(opened);
    m_window->showFile();
    // What the open command would have told in a message box.
    if (const QString shown = takeMessages(); !shown.isEmpty())
        return Status::failure(StatusCode::Malformed, shown);
    return {};
}

void ConsoleSession::useScratchSettings()
{
    auto scratch = std::make_unique<QTemporaryDir>();
    const QString settings = graphSettingsPath();
    if (!scratch->isValid() || (QFile::exists(settings) && !QFile::copy(settings, scratch->filePath(QFileInfo(settings).fileName()))))
        return;
    m_folders = ProgramFolders{ProgramPath(), AppPath(), WritablePath()};
    programState().folders = ProgramFolders{m_folders->program, m_folders->sideFiles, scratch->path() + u'/'};
    m_scratch = std::move(scratch);
}

// Back to the program's own folders, with the error log lines written meanwhile passed on.
void ConsoleSession::restoreSettingsFolder()
{
    if (!m_folders)
        return;
    QFile scratchLog(WritablePath() + ErrorLogName);
    programState().folders = m_folders;
    QFile log(WritablePath() + ErrorLogName);
    if (scratchLog.open(QIODevice::ReadOnly) && log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write(scratchLog.readAll());
}

GraphWindow& ConsoleSession::graphWindow() const
{
    return *m_window;
}

QString ConsoleSession::takeMessages()
{
    if (!m_messages)
        return {};
    const QString joined = m_messages->join(u' ');
    m_messages->clear();
    return joined;
}

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

} // namespace qor
