#include "startup.h"

#include "mainwindow.h"
#include "qttranslations.h"
#include "windowstate.h"

#include "shell/apppath.h"
#include "shell/graphsettings.h"
#include "shell/prompts.h"
#include "shell/stringtable.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLockFile>
#include <QStandardPaths>

#include <tuple>

namespace qor {

namespace {

// One lock per user, in the user's own runtime folder: a second copy of the same user finds it held
// by the first, while another person logged in on the machine starts a copy of their own.
QString instanceLockPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)).filePath(QStringLiteral("QorTraceReader.lock"));
}

} // namespace

Startup::Startup() = default;
Startup::~Startup() = default;

bool Startup::run()
{
    // A value that does not fit stops the reading; the settings after it keep their defaults.
    std::ignore = LoadGraphSettings();
    LoadStringTable();
    useQtTranslations(graphSettings().LangCode);
    m_instanceLock = std::make_unique<QLockFile>(instanceLockPath());
    m_instanceLock->setStaleLockTime(0); // held for the whole run; only a lock whose holder died is stale
    if (!m_instanceLock->tryLock(0)) {
        prompts().message(nullptr, stringEntry(DialogText::AlreadyRunning), QStringLiteral("Error"));
        return false;
    }
    QApplication::setWindowIcon(QIcon(AppPath() + QStringLiteral("qor-trace-reader.png")));
    m_mainWindow = std::make_unique<MainWindow>();
    showInRememberedState(*m_mainWindow);
    return true;
}

} // namespace qor
