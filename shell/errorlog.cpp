#include "errorlog.h"

#include "apppath.h"

#include <QFile>

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

bool ErrorLog::write(const QString& message) const
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = line(m_clock(), message).toUtf8();
    return file.write(bytes) == bytes.size();
}

int WriteErrorLog(const QString& message)
{
    ErrorLog(WritablePath() + QStringLiteral("TraceReader.log")).write(message);
    return 0;
}

} // namespace qor
