#pragma once

#include <QStringList>

#include <cstdio>

namespace qor {

// `TraceReader --report FILE OUT.pdf [--landscape] [--range FROM TO] [--comment TEXT] [--size WxH]`:
// opens FILE as the open command does and prints its report page, as the print command composes
// it with the print switches of the settings file, to a one-page PDF file. `--range` puts the range
// cursors on the records nearest the two times ("yyyy-mm-dd hh:nn:ss") and computes the range
// statistics; `--comment` gives the print comment; `--size` the graph's size (1600x900 unless
// given). Needs a QApplication, which may run on the offscreen platform. `args` are the arguments
// after "--report". Returns the exit status: 0, or 1 with the reason on `err`; OUT is then not
// created.
int runReport(const QStringList& args, std::FILE* err);

} // namespace qor
