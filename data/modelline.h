#pragma once

#include "status.h"

#include <QString>

namespace qor {

// Puts `modelLine` ("; QOR1200") in front of an old CSV file that has none, followed by CR LF, and
// leaves every former byte as it was. The new content is written beside the file and only then
// takes its place, so a failure (a read-only file, a full disk) leaves the file untouched.
[[nodiscard]] Status insertModelLine(const QString& path, const QString& modelLine);

} // namespace qor
