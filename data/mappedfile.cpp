#include "mappedfile.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace qor {

namespace {

// The readers go through the whole mapping at once; entering its pages in one call is far cheaper
// than taking a page fault for each of them.
void prefault([[maybe_unused]] uchar* data, [[maybe_unused]] qint64 size)
{
#if defined(__linux__)
#ifndef MADV_POPULATE_READ
    constexpr int MADV_POPULATE_READ = 22; // Linux 5.14; older kernels refuse it, which is harmless
#endif
    madvise(data, static_cast<std::size_t>(size), MADV_POPULATE_READ);
#endif
}

} // namespace

MappedFile::OpenResult MappedFile::open(const QString& path)
{
    std::shared_ptr<MappedFile> mapped(new MappedFile);
    QFile& file = mapped->m_file;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return {nullptr, file.errorString() + QStringLiteral(". ")};
    const qint64 size = file.size();
    if (uchar* data = size > 0 ? file.map(0, size) : nullptr) {
        mapped->m_bytes = std::string_view(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size));
        prefault(data, size);
    } else {
        // Files that cannot be mapped (empty files, some special files) are read instead.
        mapped->m_copy = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return {nullptr, file.errorString() + QStringLiteral(". ")};
        mapped->m_bytes = std::string_view(mapped->m_copy.constData(), static_cast<std::size_t>(mapped->m_copy.size()));
    }
    file.close(); // the mapping stays valid until the QFile is destroyed
    return {std::move(mapped), std::nullopt};
}

MappedFile::~MappedFile() = default;

} // namespace qor
