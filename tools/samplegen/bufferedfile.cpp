#include "bufferedfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

namespace samplegen {

namespace {
constexpr std::size_t BufferSize = 4 << 20;
}

BufferedFile::BufferedFile(const std::filesystem::path& path)
    : m_path(path)
    , m_file(std::fopen(path.string().c_str(), "wb"))
    , m_buffer(BufferSize)
{
    if (!m_file)
        fail("cannot create");
    // Our own buffer already gathers the writes; a second one only copies.
    std::setvbuf(m_file.get(), nullptr, _IONBF, 0);
}

void BufferedFile::append(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t chunk = std::min(bytes.size(), m_buffer.size());
        std::memcpy(reserve(chunk), bytes.data(), chunk);
        commit(chunk);
        bytes.remove_prefix(chunk);
    }
}

void BufferedFile::appendZeros(std::size_t count)
{
    while (count > 0) {
        const std::size_t chunk = std::min(count, m_buffer.size());
        std::memset(reserve(chunk), 0, chunk);
        commit(chunk);
        count -= chunk;
    }
}

void BufferedFile::close()
{
    flush();
    if (std::fclose(m_file.release()) != 0)
        fail("cannot close");
}

void BufferedFile::flush()
{
    if (m_used > 0 && std::fwrite(m_buffer.data(), 1, m_used, m_file.get()) != m_used)
        fail("cannot write");
    m_used = 0;
}

void BufferedFile::fail(const char* what) const
{
    throw std::runtime_error(std::string(what) + ' ' + m_path.string() + ": " + std::strerror(errno));
}

} // namespace samplegen
