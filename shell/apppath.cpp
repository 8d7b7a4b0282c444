#include "apppath.h"

#include <QCoreApplication>
#include <QDir>

namespace qor {

namespace {

QString& overriddenPath()
{
    static QString path;
    return path;
}

QString withSeparator(QString folder)
{
    if (!folder.endsWith(u'/') && !folder.endsWith(u'\\'))
        folder += u'/';
    return folder;
}

} // namespace

QString AppPath()
{
    if (!overriddenPath().isEmpty())
        return overriddenPath();
    const QString folder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return withSeparator(folder);
}

void setAppPath(const QString& folder)
{
    overriddenPath() = folder.isEmpty() ? QString() : withSeparator(folder);
}

} // namespace qor
