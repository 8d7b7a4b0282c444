#pragma once

#include "status.h"

#include <QFile>

namespace qor {

// Opens the file of `file`'s name for reading, in `mode` (ReadOnly, perhaps with more flags). Every
// read of a recorded file starts here, because a name may stand for something that is no file at
// all: a FIFO that blocks until another process writes to it, a socket, a device or a folder. Only
// a regular file is opened; anything else is refused with Unreadable before any byte is read, and
// the open itself never waits.
[[nodiscard]] Status openRegularFile(QFile& file, QIODevice::OpenMode mode);

} // namespace qor
