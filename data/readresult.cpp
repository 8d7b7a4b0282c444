#include "readresult.h"

namespace qor {

QStringList ReadResult::logLines() const
{
    QStringList lines;
    for (const Status& warning : warnings)
        lines << warning.logLine(logLabel);
    if (!status.ok())
        lines << status.logLine(logLabel);
    return lines;
}

} // namespace qor
