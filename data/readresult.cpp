#include "readresult.h"

namespace qor {

QStringList ReadResult::logLines() const
{
    if (status.code() == StatusCode::Cancelled)
        return {}; // the user's choice, not a problem of the file
    QStringList lines;
    for (const Status& warning : warnings)
        lines << warning.logLine(logLabel);
    if (!status.ok())
        lines << status.logLine(logLabel);
    return lines;
}

} // namespace qor
