#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

namespace samplegen {

// Output file with a large buffer of its own, so that writing hundreds of
// megabytes costs a few big writes instead of one call per field. Numbers are
// stored little-endian whatever the host order is.
class BufferedFile {
  public:
    explicit BufferedFile(const std::filesystem::path& path);

    // Space for at least `size` bytes; hand back what was used with commit().
    char* reserve(std::size_t size)
    {
        if (m_buffer.size() - m_used < size)
            flush();
        return m_buffer.data() + m_used;
    }
    void commit(std::size_t size) { m_used += size; }

    void append(std::string_view bytes);
    void appendZeros(std::size_t count);

    void appendInt32(std::int32_t value) { appendLittleEndian(static_cast<std::uint32_t>(value), 4); }
    void appendDouble(double value) { appendLittleEndian(std::bit_cast<std::uint64_t>(value), 8); }

    // Writes what is buffered and closes the file; throws when either fails,
    // so a full disk is not mistaken for a complete recording.
    void close();

  private:
    void appendLittleEndian(std::uint64_t value, int size)
    {
        char* out = reserve(8);
        for (int i = 0; i < size; ++i)
            out[i] = static_cast<char>(value >> (8 * i));
        commit(static_cast<std::size_t>(size));
    }
    void flush();
    [[noreturn]] void fail(const char* what) const;

    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    std::filesystem::path m_path;
    std::unique_ptr<std::FILE, Closer> m_file;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
};

} // namespace samplegen
