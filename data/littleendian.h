#pragma once

#include <algorithm>
#include <bit>
#include <cstring>

namespace qor {

// Reads a value stored little-endian at `p`, whatever the byte order of the machine.
template <typename T> T readLittleEndian(const char* p)
{
    char bytes[sizeof(T)];
    std::memcpy(bytes, p, sizeof(T));
    if constexpr (std::endian::native == std::endian::big)
        std::reverse(bytes, bytes + sizeof(T));
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
}

} // namespace qor
