#pragma once

#include "busynotice.h"
#include "loadeddataset.h"
#include "readresult.h"

#include <QString>

namespace qor {

// The two 40-byte header strings of a .LOG file.
struct LogHeader {
    QString ModelName;
    QString ModelOption;
};

// Reads the model and option from the header of a .LOG file. Fails when the file cannot be read,
// is shorter than its header, or its first header string has no closing bracket.
[[nodiscard]] Result<LogHeader> readLogHeader(const QString& path);

// The start of a recording, from the 14 digits yyyymmddhhnnss that begin its file name (the part
// of the path after the last "/" or "\"). A name that does not begin with 14 digits starts at date
// zero, so its records show the time elapsed since the start.
double recordingStartFromFileName(const QString& path);

// Reads a binary recorder log into `slot`, showing `busy` meanwhile. The slot's ModelName and
// ModelOption, which the caller has taken from the header, decide how many values a record holds.
// Every whole record after the 80-byte header is read; a shorter fragment at the end is passed over
// with a warning. A file without a whole record fails, and the slot is left without records; so
// does a read the user cancels through the busy notice, with Cancelled.
[[nodiscard]] ReadResult FuncReadFile(BusyDisplay& busy, const QString& path, SlotData& slot);

} // namespace qor
