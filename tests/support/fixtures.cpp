#include "fixtures.h"

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

QString generated(const QTemporaryDir& dir, const samplegen::Recording& recording)
{
    return QString::fromStdString(samplegen::writeInto(recording, dir.path().toStdString()).string());
}

} // namespace fixtures
