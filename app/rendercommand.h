#pragma once

#include <QStringList>

#include <cstdio>

namespace qor {

// `TraceReader --render FILE OUT.png [--size WIDTHxHEIGHT]`: opens FILE into a graph window as the
// open command does (plots, legend, axes, the settings and language files beside the program) and
// saves a picture of its graph control, 1600x900 unless a size is given. Needs a QApplication, which
// may run on the offscreen platform. `args` are the arguments after "--render". Returns the exit
// status: 0, or 1 with the reason on `err`.
int runRender(const QStringList& args, std::FILE* err);

} // namespace qor
