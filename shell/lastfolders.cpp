#include "lastfolders.h"

#include "apppath.h"
#include "graphsettings.h"
#include "inifile.h"

#include <QDir>
#include <QFileInfo>

namespace qor {

namespace {

constexpr QStringView Section = u"Folders";
// Long enough for any path a file system allows.
constexpr int PathBuffer = 4096;

QString keyOf(FileDialogKind kind)
{
    switch (kind) {
    case FileDialogKind::Open:
        return QStringLiteral("Open");
    case FileDialogKind::Export:
        return QStringLiteral("Export");
    case FileDialogKind::Capture:
        break;
    }
    return QStringLiteral("Capture");
}

} // namespace

QString lastFolder(FileDialogKind kind)
{
    const QString folder = IniFile(graphSettingsPath()).read(Section, keyOf(kind), PathBuffer);
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder) || !QFileInfo(folder).isDir())
        return AppPath();
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

void rememberFolder(FileDialogKind kind, const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!folder.isEmpty())
        saveSetting(Section, keyOf(kind), folder);
}

} // namespace qor
