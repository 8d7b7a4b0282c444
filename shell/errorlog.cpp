#include "errorlog.h"

#include "apppath.h"

#include <QFile>

#include <tuple>

namespace qor {

ErrorLog::ErrorLog(QString filePath, Clock clock)
    : m_filePath(std::move(filePath))
    , m_clock(std::move(clock))
{
}

QString ErrorLog::line(const QDateTime& when, const QString& message)
{
    return u'"' + when.toString(QStringLiteral("yyyyMMdd HH:mm:ss")) + QStringLiteral("  ") + message + QStringLiteral("\"\r\n");
}

Status ErrorLog::write(const QString& message) const
{
    QFile file(m_filePath);
    const QByteArray bytes = line(m_clock(), message).toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(bytes) != bytes.size())
        return Status::failure(StatusCode::WriteFailed, file.errorString());
    return {};
}

void WriteErrorLog(const QString& message)
{
    std::ignore = ErrorLog(WritablePath() + QStringLiteral("TraceReader.log")).write(message);
}

void logIfFailed(const Status& status, const QString& label)
{
    if (!status.ok())
        WriteErrorLog(status.logLine(label));
}

} // namespace qor
