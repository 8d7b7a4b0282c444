#pragma once

#include "littleendian.h"

#include <QtGlobal>

#include <cstdint>

// The layout of a .LOG file, which its reader and the CSV export share: two header strings of 40
// bytes, then records of a little-endian 32-bit second count since the recording's start and one
// little-endian double per value.
namespace qor::loglayout {

inline constexpr qint64 HeaderStringSize = 40;
inline constexpr qint64 HeaderSize = 2 * HeaderStringSize;

constexpr qint64 recordSize(qint64 values)
{
    return 4 + 8 * values;
}

inline std::int32_t recordSeconds(const char* record)
{
    return readLittleEndian<qint32>(record);
}

inline double recordValue(const char* record, qint64 value)
{
    return readLittleEndian<double>(record + 4 + 8 * value);
}

} // namespace qor::loglayout
