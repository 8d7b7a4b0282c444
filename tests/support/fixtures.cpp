#include "fixtures.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace fixtures {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    setContents(path, bytes);
    return path;
}

void setContents(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the fixture %s", qPrintable(path));
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray logHeader(const QByteArray& model, const QByteArray& option)
{
    return QByteArray('[' + model + ']').leftJustified(40, ' ', true) + option.leftJustified(40, ' ', true);
}

QByteArray logRecord(qint32 seconds, std::initializer_list<double> values)
{
    QByteArray out(4 + 8 * static_cast<qsizetype>(values.size()), '\0');
    qToLittleEndian(seconds, out.data());
    char* p = out.data() + 4;
    for (double v : values) {
        qToLittleEndian(v, p);
        p += 8;
    }
    return out;
}

void installSideFiles(const QTemporaryDir& dir)
{
    const QDir resources(QStringLiteral(QOR_RESOURCES_DIR));
    for (const QString& name : resources.entryList(QDir::Files)) {
        const QString copy = dir.filePath(name);
        QFile::remove(copy);
        if (!QFile::copy(resources.filePath(name), copy))
            qFatal("cannot copy the side file %s", qPrintable(name));
        QFile(copy).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

QString generated(const QTemporaryDir& dir, const samplegen::Recording& recording)
{
    return QString::fromStdString(samplegen::writeInto(recording, dir.path().toStdString()).string());
}

} // namespace fixtures
