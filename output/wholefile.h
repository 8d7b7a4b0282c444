#pragma once

#include "data/status.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace qor::output {

// Writes all `size` bytes to `out`. A write that falls short (the disk filled up on the way) is
// tried again for the rest, which then fails with the system's reason ("No space left on device");
// a single short write would pass unnoticed by the file it goes to.
[[nodiscard]] bool writeAll(QIODevice& out, const char* data, qint64 size);

// Writes `bytes` as the file at `path` through a file of its own that replaces `path` only once it
// is complete: a failure leaves a former file as it was, and no partial file; its message names the
// system's reason.
[[nodiscard]] Status saveWholeFile(const QString& path, const QByteArray& bytes);

} // namespace qor::output
