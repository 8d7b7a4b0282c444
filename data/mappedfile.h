#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>
#include <optional>
#include <string_view>

namespace qor {

// The bytes of a whole file, mapped into memory where the system allows it and read otherwise.
// Shared by the columns that cut their texts from it, so it lives as long as they do.
class MappedFile {
public:
    struct OpenResult {
        std::shared_ptr<const MappedFile> file;
        std::optional<QString> failure;
    };
    static OpenResult open(const QString& path);

    std::string_view bytes() const { return m_bytes; }

    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

private:
    MappedFile() = default;

    QFile m_file;
    QByteArray m_copy;
    std::string_view m_bytes;
};

} // namespace qor
