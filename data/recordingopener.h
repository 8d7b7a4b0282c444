#pragma once

#include "busynotice.h"
#include "loadeddataset.h"
#include "recordermodel.h"
#include "status.h"

#include <QString>
#include <QStringList>

#include <QList>

#include <optional>

namespace qor {

// A recording read into a slot record of its own, or why it could not be. Nothing of the program's
// slots or windows has changed: the caller moves `slot` into its slot when it takes the file, and
// the slot's plan says what its window draws.
struct OpenedRecording {
    Status status;          // Ok, or why the file could not be opened
    QList<Status> warnings; // problems the reader passed over
    QStringList logLines;   // the error-log lines of the open, each ending with its label
    SlotData slot;          // FilePath, model, records and read plan of the file
    // The QOR1400 family's channel display code (a CSV option line's closing digit; for a log, 0
    // when it holds all channels and 1 when it holds one); unset for other models.
    std::optional<int> channelDisplayCode;

    bool opened() const { return status.ok(); }
};

// Opens the recording at `path` (kind, header, model, reader) into a new slot record. The busy
// notice is shown on `busy` while the records are read. A header that cannot be read is logged
// with `headerLogLabel`; the reader's problems with the reader's own label. Never throws: an
// allocation failure is reported as OutOfMemory and any other exception as Unexpected.
OpenedRecording openRecording(const QString& path, BusyDisplay& busy, const QString& headerLogLabel);

} // namespace qor
