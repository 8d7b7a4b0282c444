#include "recentfiles.h"

#include "graphsettings.h"
#include "inifile.h"

#include <QDir>

namespace qor {

namespace {

constexpr QStringView Section = u"RecentFiles";
// Long enough for any path a file system allows.
constexpr int PathBuffer = 4096;

// The longest path a caption shows whole, and how much of the front a longer one keeps.
constexpr qsizetype CaptionPathChars = 64;
constexpr qsizetype CaptionHeadChars = 20;

QString keyOf(int n)
{
    return QStringLiteral("File%1").arg(n);
}

QString elidedInTheMiddle(const QString& path)
{
    if (path.size() <= CaptionPathChars)
        return path;
    const qsizetype tail = CaptionPathChars - CaptionHeadChars - 1;
    return path.first(CaptionHeadChars) + u'\u2026' + path.last(tail);
}

} // namespace

QStringList RecentFiles::load()
{
    const IniSnapshot file(graphSettingsPath());
    QStringList paths;
    for (int n = 1; n <= MaxCount; ++n) {
        const QString path = file.read(Section, keyOf(n), PathBuffer);
        if (QDir::isAbsolutePath(path) && !paths.contains(path))
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

QString RecentFiles::menuCaption(int n, const QString& path)
{
    // A "&" of the path is shown as itself, not as the mark of a shortcut key.
    const QString shown = elidedInTheMiddle(QDir::toNativeSeparators(path).toUpper()).replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 ").arg(n) + shown;
}

QStringList RecentFiles::save(QStringList paths)
{
    for (int n = 1; n <= MaxCount; ++n)
        saveSetting(Section, keyOf(n), n <= paths.size() ? paths[n - 1] : QString());
    return paths;
}

} // namespace qor
