#pragma once

#include "bulkallocator.h"
#include "valuecolumn.h"

#include <memory>
#include <string_view>
#include <vector>

namespace qor {

// The bytes of a CSV file, read into the program's own memory.
using CsvBytes = std::vector<char, BulkAllocator<char>>;

std::string_view textOf(const CsvBytes& bytes);

// A recorded CSV file as it was read, with a sparse index of where its records start, so that the
// exact text of any field can be cut out of it again when it is shown. The bytes are the program's
// own copy, so whatever becomes of the file on disk afterwards (truncated, rewritten, deleted)
// changes nothing that is shown. An index entry is kept every 64 records, and after any 64 KiB
// without one, so that finding a record never scans far.
class CsvDocument {
  public:
    struct Checkpoint {
        qint64 record;      // index of the record that starts at `offset`
        std::size_t offset; // byte offset of that record's line
    };

    CsvDocument(std::shared_ptr<const CsvBytes> bytes, std::vector<Checkpoint> checkpoints);

    // The line of record `record` (0-based), without its line end.
    std::string_view recordLine(qint64 record) const;

    static constexpr qint64 RecordsPerCheckpoint = 64;
    static constexpr std::size_t BytesPerCheckpoint = 64 * 1024;

  private:
    std::shared_ptr<const CsvBytes> m_bytes;
    std::vector<Checkpoint> m_checkpoints;
};

// One value field of every record of a CSV file: the parsed numbers, and the texts as the file
// writes them (blanks and trailing zeros kept), cut from the document's bytes when asked for. A
// record whose line has too few fields has an empty text there.
class CsvColumn final : public ValueColumn {
  public:
    CsvColumn(std::shared_ptr<const CsvDocument> document, int field, NumberArray numbers);
    qsizetype size() const override;
    const double* numberData() const override { return m_numbers.data(); }
    double number(qsizetype index) const override;
    QString text(qsizetype index) const override;

  private:
    std::shared_ptr<const CsvDocument> m_document;
    int m_field;
    NumberArray m_numbers;
};

} // namespace qor
