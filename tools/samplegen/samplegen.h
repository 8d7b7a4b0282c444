#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Writes recordings as the controllers and recorders write them, for tests,
// benchmarks and the committed sample files. The values come from a simulated
// process that is fully determined by the recording's settings and seed.
namespace samplegen {

enum class FileKind { Log, Csv, Dat };

struct Recording {
    std::string model = "QOR1300";
    // Second header string / option line text. Empty records all channels on
    // the models that let one choose. "= {}" lets designated initialisers
    // leave it out without a warning from GCC 12.
    std::string option = {};
    FileKind kind = FileKind::Log;
    std::int64_t records = 1000;
    int intervalSeconds = 1;
    int year = 2015, month = 3, day = 1, hour = 8, minute = 0, second = 0; // start time
    std::uint32_t seed = 1;
    bool commentLines = false;  // CSV: sprinkle comment and blank lines among the data
    bool fullPrecision = false; // values as computed instead of rounded to tenths
};

// "yyyymmddhhnnss_MODEL.EXT", the start time first as the devices name them.
std::string fileName(const Recording& recording);

// How many values each record holds, in column order PV1, SP1, MV1, PV2, ...
// For DAT files: the values of the filled channel blocks (QOR510 fills two).
int valuesPerRecord(const Recording& recording);

// Throws std::invalid_argument for settings the file kind cannot hold and
// std::runtime_error when the file cannot be written.
void write(const Recording& recording, const std::filesystem::path& file);
std::filesystem::path writeInto(const Recording& recording, const std::filesystem::path& folder);

// The small set of files committed as samples: every file kind and the
// model/option combinations that change the record layout.
std::vector<Recording> sampleSet();

} // namespace samplegen
