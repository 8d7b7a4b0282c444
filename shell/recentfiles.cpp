#include "recentfiles.h"

#include "graphsettings.h"
#include "inifile.h"

namespace qor {

namespace {

constexpr QStringView Section = u"RecentFiles";
// Long enough for any path a file system allows.
constexpr int PathBuffer = 4096;

QString keyOf(int n)
{
    return QStringLiteral("File%1").arg(n);
}

} // namespace

QStringList RecentFiles::load()
{
    const IniFile file(graphSettingsPath());
    QStringList paths;
    for (int n = 1; n <= MaxCount; ++n) {
        const QString path = file.read(Section, keyOf(n), PathBuffer);
        if (!path.isEmpty() && !paths.contains(path))
            paths << path;
    }
    return paths;
}

QStringList RecentFiles::add(const QString& path)
{
    QStringList paths = load();
    paths.removeAll(path);
    paths.prepend(path);
    return save(paths.mid(0, MaxCount));
}

QStringList RecentFiles::remove(const QString& path)
{
    QStringList paths = load();
    paths.removeAll(path);
    return save(paths);
}

QStringList RecentFiles::save(QStringList paths)
{
    for (int n = 1; n <= MaxCount; ++n)
        saveSetting(Section, keyOf(n), n <= paths.size() ? paths[n - 1] : QString());
    return paths;
}

} // namespace qor
