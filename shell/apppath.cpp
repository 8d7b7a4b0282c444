#include "apppath.h"

#include "programstate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

namespace qor {

namespace {

// Where an installed copy's side files lie, seen from its program folder ("../share/qor-trace-reader").
constexpr auto installedDataFolder = QOR_INSTALLED_SIDE_FILES;
constexpr auto userFolderName = "qor-trace-reader";
constexpr auto settingsFileName = "SetGraphInfo.ini";

std::optional<ProgramFolders>& chosenFolders()
{
    return programState().folders;
}

QString withSeparator(QString folder)
{
    if (!folder.endsWith(u'/') && !folder.endsWith(u'\\'))
        folder += u'/';
    return folder;
}

// A folder whose permissions give nobody write access counts as read-only even for an
// administrator, who could write there anyway: an installed copy must not change shipped files.
bool isWritableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isDir() && info.isWritable() && (info.permissions() & anyWrite);
}

QString userConfigurationFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return withSeparator(QDir(base).filePath(QString::fromLatin1(userFolderName)));
}

// The first time the user's folder is used it gets a copy of the shipped settings, which are then
// changed there; a failed copy leaves the program on its defaults, as a missing settings file does.
void seedSettings(const QString& from, const QString& to)
{
    const QString target = to + QString::fromLatin1(settingsFileName);
    if (QFileInfo::exists(target) || !QDir().mkpath(to))
        return;
    if (QFile::copy(from + QString::fromLatin1(settingsFileName), target))
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

const ProgramFolders& folders()
{
    if (!chosenFolders()) {
        const QString program = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
        chosenFolders() = programFoldersFor(program);
    }
    return *chosenFolders();
}

} // namespace

ProgramFolders programFoldersFor(const QString& programFolder)
{
    ProgramFolders result;
    result.program = withSeparator(programFolder);
    const QDir installed(QDir(programFolder).filePath(QString::fromLatin1(installedDataFolder)));
    result.sideFiles = installed.exists() ? withSeparator(installed.canonicalPath()) : result.program;
    result.writable = result.sideFiles;
    if (!isWritableFolder(result.sideFiles)) {
        result.writable = userConfigurationFolder();
        seedSettings(result.sideFiles, result.writable);
    }
    return result;
}

QString AppPath()
{
    return folders().sideFiles;
}

QString WritablePath()
{
    return folders().writable;
}

QString ProgramPath()
{
    return folders().program;
}

void setAppPath(const QString& folder)
{
    if (folder.isEmpty()) {
        chosenFolders().reset();
        return;
    }
    const QString path = withSeparator(folder);
    chosenFolders() = ProgramFolders{path, path, path};
}

void useProgramFolder(const QString& programFolder)
{
    chosenFolders() = programFoldersFor(programFolder);
}

} // namespace qor
