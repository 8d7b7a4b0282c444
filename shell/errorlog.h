#pragma once

#include "data/status.h"

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

    // Appends one line.
    [[nodiscard]] Status write(const QString& message) const;

    static QString line(const QDateTime& when, const QString& message);

  private:
    QString m_filePath;
    Clock m_clock;
};

// Appends `message` to "TraceReader.log" in the program's writable folder. A log that cannot be
// written loses the line: there is nowhere left to tell.
void WriteErrorLog(const QString& message);
// Logs a failure as the routine named by `label`; an Ok status writes nothing.
void logIfFailed(const Status& status, const QString& label);

} // namespace qor
