#pragma once

#include <string>

// What the benchmarks share.

// A field of /proc/self/status ("VmHWM", "RssAnon") in bytes; 0 where there is no such file.
double statusBytes(const std::string& field);

// Runs the registered benchmarks inside a QApplication, on the offscreen platform unless another
// is asked for, for benchmarks of widgets.
int runWidgetBenchmarks(int argc, char** argv);
