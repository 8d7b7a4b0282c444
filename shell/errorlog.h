#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

namespace qor {

// The error log: a plain text file to which routines append one line per error they caught and
// then carry on. The user is never told. A line reads: a double quote, the local time as
// "YYYYMMDD HH:MM:SS", two blanks, the message, a double quote, CR LF.
class ErrorLog {
  public:
    using Clock = std::function<QDateTime()>;

    explicit ErrorLog(QString filePath, Clock clock = &QDateTime::currentDateTime);

    // Appends one line; a log that cannot be written loses the line silently (returns false).
    bool write(const QString& message) const;

    static QString line(const QDateTime& when, const QString& message);

  private:
    QString m_filePath;
    Clock m_clock;
};

// Appends `message` to "TraceReader.log" in the program's writable folder. Always returns 0.
int WriteErrorLog(const QString& message);

} // namespace qor
