#pragma once

#include "busynotice.h"
#include "loadeddataset.h"
#include "readresult.h"
#include "recordermodel.h"

#include <QString>

// The two steps of opening a recorded file, for every kind: recognising the model from the header,
// then reading the records with the reader of the kind.
namespace qor::recordedfile {

// What a header tells beyond the slot's fields.
struct HeaderFacts {
    int channelDisplayCode = 0; // QOR1400 family CSV files: the option line's closing digit
};

// Sets the slot's ModelName, ModelOption and AllChannels from the file's header, as far as the kind
// defines them: a CSV file's model and option lines, a .LOG file's two header strings. A .DAT file's
// model is read by its reader. Fields a header does not define keep their values. Fails with
// UnknownKind, NoModelLine, UnknownCsvModel (an old-format CSV file), Unreadable or Malformed.
[[nodiscard]] Result<HeaderFacts> readHeaderInto(models::FileKind kind, const QString& path, SlotData& slot);

// What the reader of the kind does with the slot's file: the columns it fills and the plots it draws.
models::ReadPlan readPlan(models::FileKind kind, const SlotData& slot);

// Reads the records with the reader of the kind.
[[nodiscard]] ReadResult readRecords(models::FileKind kind, BusyDisplay& busy, const QString& path, SlotData& slot);

} // namespace qor::recordedfile
