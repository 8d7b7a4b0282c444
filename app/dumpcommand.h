#pragma once

#include <QString>

#include <cstdio>

namespace qor {

// `TraceReader --dump FILE`: reads FILE as the open command would, without any window, and prints
// its model, option, record count, time range and every record to `out`. Returns the exit status:
// 0, or 1 with the reason on `err` when the file cannot be read.
int runDump(const QString& path, std::FILE* out, std::FILE* err);

} // namespace qor
