#include "mappedfile.h"

namespace qor {

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
