#include "wholefile.h"

#include <QSaveFile>

namespace qor::output {

bool writeAll(QIODevice& out, const char* data, qint64 size)
{
    for (qint64 written = 0; written < size;) {
        const qint64 step = out.write(data + written, size - written);
        if (step <= 0)
            return false;
        written += step;
    }
    return true;
}

Status saveWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Status::failure(StatusCode::WriteFailed, QStringLiteral("The file cannot be created: %1.").arg(file.errorString()));
    if (!writeAll(file, bytes.constData(), bytes.size())) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Status::failure(StatusCode::WriteFailed, QStringLiteral("Writing the file failed: %1.").arg(reason));
    }
    if (!file.commit())
        return Status::failure(StatusCode::WriteFailed, QStringLiteral("The file could not be completed: %1.").arg(file.errorString()));
    return {};
}

} // namespace qor::output
