#include "readresult.h"

namespace qor {

QStringList ReadResult::logLines() const
{
    QStringList lines;
    for (const QString& warning : warnings)
        lines << warning + logLabel;
    if (failure)
        lines << *failure + logLabel;
    return lines;
}

} // namespace qor
