#include "csvcolumn.h"

#include "csvlines.h"

#include <algorithm>
#include <cerrno>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#include <sys/sendfile.h>
#include <unistd.h>
#endif

namespace qor {

std::string_view textOf(const CsvBytes& bytes)
{
    return bytes.text();
}

namespace {

constexpr std::size_t CopyBlockBytes = 16 << 20;

} // namespace

CsvBytes::~CsvBytes()
{
    unmap();
}

void CsvBytes::unmap()
{
#if defined(__linux__)
    if (m_mapped)
        munmap(const_cast<char*>(m_mapped), m_mappedSize);
#endif
    m_mapped = nullptr;
    m_mappedSize = 0;
}

CsvBytes::Copy CsvBytes::copyFromFile(int descriptor, std::size_t size, const std::function<bool(std::size_t)>& goOn)
{
#if defined(__linux__)
    unmap();
    if (size == 0)
        return Copy::Unsupported;
    const int copy = memfd_create("csv-copy", MFD_CLOEXEC);
    if (copy < 0)
        return Copy::Unsupported;
    Copy result = Copy::Done;
    for (std::size_t done = 0; done < size && result == Copy::Done;) {
        const ssize_t sent = sendfile(copy, descriptor, nullptr, std::min(CopyBlockBytes, size - done));
        if (sent < 0 && (errno == ENOMEM || errno == ENOSPC)) {
            close(copy);
            throw std::bad_alloc(); // as a heap copy too large for the memory
        }
        if (sent < 0 && done == 0 && (errno == EINVAL || errno == ENOSYS))
            result = Copy::Unsupported;
        else if (sent <= 0)
            result = Copy::Stopped;
        else if (done += static_cast<std::size_t>(sent); !goOn(done))
            result = Copy::Stopped;
    }
    if (result == Copy::Done) {
        void* mapped = mmap(nullptr, size, PROT_READ, MAP_SHARED | MAP_POPULATE, copy, 0);
        if (mapped != MAP_FAILED) {
            m_mapped = static_cast<const char*>(mapped);
            m_mappedSize = size;
        } else
            result = Copy::Unsupported;
    }
    close(copy); // the mapping keeps the in-memory file
    return result;
#else
    Q_UNUSED(descriptor);
    Q_UNUSED(size);
    Q_UNUSED(goOn);
    return Copy::Unsupported;
#endif
}

void CsvBytes::allocateOnHeap(std::size_t size)
{
    unmap();
    m_heap.resize(size);
}

std::string_view CsvBytes::text() const
{
    return m_mapped ? std::string_view(m_mapped, m_mappedSize) : std::string_view(m_heap.data(), m_heap.size());
}

CsvDocument::CsvDocument(std::shared_ptr<const CsvBytes> bytes, std::vector<Checkpoint> checkpoints)
    : m_bytes(std::move(bytes))
    , m_checkpoints(std::move(checkpoints))
{
}

std::string_view CsvDocument::recordLine(qint64 record) const
{
    const auto after =
        std::upper_bound(m_checkpoints.begin(), m_checkpoints.end(), record, [](qint64 r, const Checkpoint& c) { return r < c.record; });
    if (after == m_checkpoints.begin())
        return {};
    const Checkpoint& from = *std::prev(after);
    csv::LineCursor cursor(textOf(*m_bytes), from.offset);
    for (qint64 current = from.record; !cursor.atEnd();) {
        const std::string_view line = cursor.next();
        if (!csv::isRecord(line))
            continue;
        if (current == record)
            return line;
        ++current;
    }
    return {};
}

CsvColumn::CsvColumn(std::shared_ptr<const CsvDocument> document, int field, NumberArray numbers)
    : m_document(std::move(document))
    , m_field(field)
    , m_numbers(std::move(numbers))
{
}

qsizetype CsvColumn::size() const
{
    return static_cast<qsizetype>(m_numbers.size());
}

double CsvColumn::number(qsizetype index) const
{
    return m_numbers[static_cast<std::size_t>(index)];
}

QString CsvColumn::text(qsizetype index) const
{
    const std::optional<std::string_view> f = csv::field(m_document->recordLine(index), m_field);
    return f ? QString::fromLatin1(f->data(), static_cast<qsizetype>(f->size())) : QString();
}

} // namespace qor
