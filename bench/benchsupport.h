#pragma once

#include <string>

// What the benchmarks share.

// A field of /proc/self/status ("VmHWM", "RssAnon") in bytes; 0 where there is no such file.
double statusBytes(const std::string& field);

class QTemporaryDir;
class QString;

namespace benchmark {
class State;
}

// The file that environment variable `variable` names; false, with the benchmark skipped and told
// why, when it names none.
bool benchFile(benchmark::State& state, const char* variable, QString& path);

// Makes `folder` the program folder, with the shipped side files copied into it and the settings
// and string table read from them, so that windows can be benchmarked as the user sees them.
void useProgramFolder(const QTemporaryDir& folder);

// Runs the registered benchmarks inside a QApplication, on the offscreen platform unless another
// is asked for, for benchmarks of widgets.
int runWidgetBenchmarks(int argc, char** argv);
