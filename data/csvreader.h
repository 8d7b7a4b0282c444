#pragma once

#include "busynotice.h"
#include "csvcolumn.h"
#include "loadeddataset.h"
#include "readresult.h"
#include "recordermodel.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace qor {

// A stretch of a CSV file, starting and ending at line starts, that one thread counts and parses.
struct CsvPart {
    std::size_t begin = 0;
    std::size_t end = 0;
    qint64 records = 0;
    std::optional<std::int64_t> firstTime; // seconds of the part's first record
};

// The records of a CSV file as counted: the file's bytes as read, how many records there are, where
// each part of the file starts, and the time of the first record.
struct CsvCount {
    std::shared_ptr<const CsvBytes> bytes;
    std::vector<CsvPart> parts;
    qint64 RecordCount = 0;
    double StartDate = 0;
};

// How far the busy notice's progress has come when a file is counted: FuncCountCsvRecords reports
// progress from 0 to this, FuncParseCsvFile from this to 1.
inline constexpr double CsvCountedProgress = 0.45;

// Reads the whole CSV file into memory, by every core in large blocks, and counts its data records
// (see csv::recordTime for what a record is). The file is read as large as it was when the read
// began; one that shrinks meanwhile fails, and one too large for the memory throws std::bad_alloc.
// Fails with Cancelled when the user cancels through `busy`.
[[nodiscard]] Result<CsvCount> FuncCountCsvRecords(const QString& path, BusyNotice* busy = nullptr);

// The arrays a parse fills, sized for the counted records: the times, and one array of numbers per
// field that the model's plan reads.
struct CsvTable {
    TimeColumn times;
    std::vector<ColumnId> fields; // fields 1, 2, ... of a line go to these columns
    std::vector<NumberArray> numbers;
    std::vector<CsvDocument::Checkpoint> checkpoints;
};

CsvTable FuncAllocTraceData(const CsvCount& count, const models::ReadPlan& plan);

// Fills the table from the counted bytes; a line with fewer fields than the model reads has no
// number (and an empty text) in the missing fields. Nothing is written beyond the records each part
// was counted with: fails when the parts hold other records than counted, or the table is not sized
// for the count, and with Cancelled when the user cancels through `busy`.
[[nodiscard]] Status FuncParseCsvFile(const CsvCount& count, CsvTable& table, BusyNotice* busy = nullptr);

// Puts the parsed records into `slot`: the times, and value columns that share the file's bytes for
// their texts.
void storeCsvRecords(const CsvCount& count, CsvTable table, SlotData& slot);

// Reads a recorder CSV file into `slot`, showing `busy` meanwhile. The slot's ModelName and
// AllChannels, which the caller has taken from the header lines, decide the fields read. Fails for
// a model that no CSV reading is defined for, an unreadable file and a file without records, and
// with Cancelled when the user cancels through the busy notice; the slot is then left without
// records.
[[nodiscard]] ReadResult FuncReadCsvFile(BusyDisplay& busy, const QString& path, SlotData& slot);

} // namespace qor
