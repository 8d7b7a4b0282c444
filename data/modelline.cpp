#include "modelline.h"

#include "regularfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qor {

Status insertModelLine(const QString& path, const QString& modelLine)
{
    QFile original(path);
    if (!QFileInfo(path).isWritable())
        return Status::failure(StatusCode::WriteFailed, QStringLiteral("The file cannot be changed: it is read-only or missing."));
    if (const Status opened = openRegularFile(original, QIODevice::ReadOnly); !opened.ok())
        return opened;
    const QByteArray former = original.readAll();
    if (original.error() != QFileDevice::NoError)
        return Status::failure(StatusCode::Unreadable, original.errorString());
    original.close();

    QSaveFile replacement(path);
    replacement.setDirectWriteFallback(false);
    const QByteArray line = modelLine.toLatin1() + "\r\n";
    if (!replacement.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || replacement.write(line) != line.size() ||
        replacement.write(former) != former.size() || !replacement.commit())
        return Status::failure(StatusCode::WriteFailed, replacement.errorString());
    return {};
}

} // namespace qor
