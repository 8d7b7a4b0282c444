#pragma once

#include "busynotice.h"
#include "loadeddataset.h"
#include "readresult.h"

#include <QString>

namespace qor {

// Reads the binary data file of a QOR500 or QOR510 recorder (.DAT) into `slot`, showing `busy`
// meanwhile. The model comes from the file itself and is stored in the slot's ModelName. Values are
// 16-bit raw readings, scaled with each channel's range and decimal places from the header.
// A fragment at the end that holds every byte the model reads is one more record; a shorter one is
// passed over with a warning. A file without records fails, and the slot is left without records;
// so does a read the user cancels through the busy notice, with Cancelled.
[[nodiscard]] ReadResult FuncReadDatFile(BusyDisplay& busy, const QString& path, SlotData& slot);

} // namespace qor
