#pragma once

#include "bulkallocator.h"
#include "valuecolumn.h"

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace qor {

// The bytes of a CSV file in the program's own memory. On Linux the kernel copies them into an
// anonymous in-memory file, which is then mapped read-only: pages that a copy writes whole need no
// zeroing, while fresh heap memory is zeroed page by page before the bytes are read into it, which
// costs as much as the copy itself. Elsewhere, or where that copy is refused, they go to the heap.
class CsvBytes {
  public:
    enum class Copy { Done, Unsupported, Stopped };

    CsvBytes() = default;
    ~CsvBytes();
    CsvBytes(const CsvBytes&) = delete;
    CsvBytes& operator=(const CsvBytes&) = delete;

    // Copies the first `size` bytes of the open file `descriptor`, from its current position, into a
    // mapped in-memory file, calling `goOn(bytesCopied)` after each block. Stopped when the file
    // ends early or `goOn` returns false; Unsupported, with nothing kept, where there is no such
    // copy.
    Copy copyFromFile(int descriptor, std::size_t size, const std::function<bool(std::size_t)>& goOn);
    // Room for `size` bytes on the heap instead, filled through heapData().
    void allocateOnHeap(std::size_t size);
    char* heapData() { return m_heap.data(); }

    std::string_view text() const;

  private:
    void unmap();

    std::vector<char, BulkAllocator<char>> m_heap;
    const char* m_mapped = nullptr;
    std::size_t m_mappedSize = 0;
};

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
