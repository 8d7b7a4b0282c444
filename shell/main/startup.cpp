#include "startup.h"

#include "mainwindow.h"
#include "qttranslations.h"

#include "shell/graphsettings.h"
#include "shell/prompts.h"
#include "shell/stringtable.h"

#include <QDir>
#include <QLockFile>

namespace qor {

namespace {

// One lock per user: a second copy finds it held by the first.
QString instanceLockPath()
{
    return QDir::temp().filePath(QStringLiteral("QorTraceReader.lock"));
}

} // namespace

Startup::Startup() = default;
Startup::~Startup() = default;

bool Startup::run()
{
    LoadGraphSettings();
    LoadStringTable();
    useQtTranslations(graphSettings().LangCode);
    m_instanceLock = std::make_unique<QLockFile>(instanceLockPath());
    m_instanceLock->setStaleLockTime(0); // held for the whole run; only a lock whose holder died is stale
    if (!m_instanceLock->tryLock(0)) {
        prompts().message(nullptr, stringEntry(StringSection::Dialog, 2), QStringLiteral("Error"));
        return false;
    }
    m_mainWindow = std::make_unique<MainWindow>();
    m_mainWindow->show();
    return true;
}

} // namespace qor
