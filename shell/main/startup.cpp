#include "startup.h"

#include "instancechannel.h"
#include "mainwindow.h"
#include "qttranslations.h"
#include "windowstate.h"

#include "shell/apppath.h"
#include "shell/errorlog.h"
#include "shell/graphsettings.h"
#include "shell/prompts.h"
#include "shell/stringtable.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>

#include <tuple>
#include <utility>

namespace qor {

namespace {

// How often files handed over while the program is busy look again whether it is free.
constexpr int BusyRetryMilliseconds = 250;

QDir runtimeFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
}

// One lock per user, in the user's own runtime folder: a second copy of the same user finds it held
// by the first, while another person logged in on the machine starts a copy of their own.
QString instanceLockPath()
{
    return runtimeFolder().filePath(QStringLiteral("QorTraceReader.lock"));
}

// One channel per user too: a socket beside the lock; on Windows a pipe, whose names are shared by
// the whole machine, named after the user.
QString instanceChannelName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("QorTraceReader-") + qEnvironmentVariable("USERNAME");
#else
    return runtimeFolder().filePath(QStringLiteral("QorTraceReader.socket"));
#endif
}

// The running copy may have been started from another folder.
QStringList absolutePaths(const QStringList& paths)
{
    QStringList absolute;
    for (const QString& path : paths)
        absolute << QFileInfo(path).absoluteFilePath();
    return absolute;
}

void bringToFront(QWidget& window)
{
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.raise();
    window.activateWindow();
}

// Whether a handed-over file may be opened now: not while a dialog is open, nor while a command
// reads a file (it shows the wait cursor and lets sockets and timers through, but not the user's
// input). The open would run inside the other command, where a dropped file never gets.
bool freeToOpen()
{
    return !QApplication::activeModalWidget() && !QApplication::overrideCursor();
}

} // namespace

Startup::Startup() = default;
Startup::~Startup() = default;

Startup::Outcome Startup::run(const QStringList& files)
{
    // A value that does not fit stops the reading; the settings after it keep their defaults.
    std::ignore = LoadGraphSettings();
    LoadStringTable();
    useQtTranslations(graphSettings().LangCode);
    m_instanceLock = std::make_unique<QLockFile>(instanceLockPath());
    m_instanceLock->setStaleLockTime(0); // held for the whole run; only a lock whose holder died is stale
    if (!m_instanceLock->tryLock(0))
        return handOver(files);
    listenForLaterStarts();
    QApplication::setWindowIcon(QIcon(AppPath() + QStringLiteral("qor-trace-reader.png")));
    m_mainWindow = std::make_unique<MainWindow>();
    QObject::connect(m_channel.get(), &InstanceChannel::handedOver, m_mainWindow.get(),
                     [this](const QStringList& handed) { takeHandedOver(handed); });
    showInRememberedState(*m_mainWindow);
    m_mainWindow->openFiles(files);
    return Outcome::Started;
}

Startup::Outcome Startup::handOver(const QStringList& files)
{
    if (InstanceChannel::handOver(instanceChannelName(), absolutePaths(files)))
        return Outcome::HandedOver;
    prompts().message(nullptr, stringEntry(DialogText::AlreadyRunning), QStringLiteral("Error"));
    return Outcome::Refused;
}

// Right after taking the lock, so that a later start finds the channel open. Without it the program
// runs as before, and later starts are refused.
void Startup::listenForLaterStarts()
{
    m_channel = std::make_unique<InstanceChannel>(instanceChannelName());
    if (!m_channel->listen())
        WriteErrorLog(QStringLiteral("Later starts cannot hand over their files: ") + m_channel->errorString());
}

void Startup::takeHandedOver(const QStringList& files)
{
    bringToFront(*m_mainWindow);
    const bool waiting = !m_handedOver.isEmpty();
    m_handedOver += files;
    if (!waiting)
        openHandedOverWhenFree();
}

void Startup::openHandedOverWhenFree()
{
    if (m_handedOver.isEmpty())
        return;
    if (!freeToOpen()) {
        QTimer::singleShot(BusyRetryMilliseconds, m_mainWindow.get(), [this] { openHandedOverWhenFree(); });
        return;
    }
    m_mainWindow->openFiles(std::exchange(m_handedOver, {}));
}

} // namespace qor
