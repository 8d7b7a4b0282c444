#pragma once

#include <QString>

#include <cstdio>

namespace qor {

// `TraceReader --export FILE OUT.csv`: reads FILE as the open command would, without any window,
// and writes exactly what the export command writes for it, in the interface language of the
// settings file. Returns the exit status: 0, or 1 with the reason on `err` when the export is refused
// or fails; OUT is then not created.
int runExport(const QString& path, const QString& outputPath, std::FILE* err);

} // namespace qor
