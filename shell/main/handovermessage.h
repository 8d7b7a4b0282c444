#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <optional>

namespace qor {

// The message in which a later start of the program hands its files to the copy that runs already:
// "QOR1", the number of paths, then each path as its length and its UTF-8 bytes, every number a
// 32-bit big-endian count. The message comes from another process, so its reading is bounded: at
// most MaxHandOverPaths paths of at most MaxHandOverPathBytes each (a whole path on Linux), and it
// looks at every path's text only once the message is complete, so that reading a message again as
// more of it arrives costs little.
inline constexpr quint32 MaxHandOverPaths = 256;
inline constexpr quint32 MaxHandOverPathBytes = 4096;
// The longest message: magic, count, and the longest paths each with its length.
inline constexpr qsizetype MaxHandOverBytes = 8 + MaxHandOverPaths * (4 + MaxHandOverPathBytes);
// What the running copy answers once it has taken the files.
inline constexpr char HandOverTaken = '+';

struct HandOverDecoding {
    enum class State {
        Complete,   // the bytes are one whole message
        Incomplete, // the bytes begin a message; more must follow
        Malformed,  // no message begins with these bytes
    };
    State state = State::Incomplete;
    QStringList paths; // the paths of a complete message
};

// The message that hands over `paths`; none when there are too many or one is too long.
std::optional<QByteArray> encodeHandOver(const QStringList& paths);
// Reads what has arrived so far of a message.
HandOverDecoding decodeHandOver(QByteArrayView bytes);

} // namespace qor
