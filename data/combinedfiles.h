#pragma once

#include "busynotice.h"
#include "csvreader.h"
#include "loadeddataset.h"
#include "status.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The CSV recordings of the combined view: up to three files, each drawn as a process value, a set
// point and an output, over one time axis.
namespace qor::combined {

inline constexpr int FileCount = 3;

// What the scan learns of a chosen file, and the file's bytes, kept for the load so that each file
// is read from disk once.
struct ScannedFile {
    QString path;
    // From the comment lines: the text from "QOR" on, seven characters, so that every model of the
    // QOR1400 family reads as "QOR1400". Empty when no comment line names a model.
    QString model;
    CsvCount count;
    std::int64_t firstSeconds = 0; // the first and the last record's time
    std::int64_t lastSeconds = 0;
};

// Counts the records of a CSV file as opening it does and reads its model and first and last record
// times. Fails when the file cannot be read or holds no record.
[[nodiscard]] Result<ScannedFile> scanFile(const QString& path, BusyNotice* busy = nullptr);

// The model text of one comment line, looked for in its first 40 characters; empty when it names none.
QString commentModel(std::string_view line);

// The chosen files by number 1 to 3; null where a file was not chosen or not scanned.
using ScannedFiles = std::array<const ScannedFile*, FileCount>;

// The model check: Ok when the files may be combined, else Refused with the message that names the
// three models. Files 1 and 2 must both be scanned, of the same model, and that model QOR1100 or
// QOR1400; file 3 may be of any model.
Status modelCheck(const ScannedFiles& files);

// The combined time axis: from the earliest first record to the latest last record (file 2 wins a
// tie with file 1, file 3 only when strictly earlier or later), and the record count of the file
// that starts first, as the chart length.
struct CombinedSpan {
    double firstTime = 0;
    double lastTime = 0;
    qint32 chartLength = 0;
};
// Needs files 1 and 2.
CombinedSpan combinedSpan(const ScannedFiles& files);

// Parses the records of a scanned file into `slot`: the times and, in PV1, SP1 and MV1, the first
// three values of each record (a short line leaves the missing values empty). The slot's first and
// last time become the file's.
[[nodiscard]] Status loadFile(const ScannedFile& file, SlotData& slot, BusyNotice* busy = nullptr);

} // namespace qor::combined
