#include "samplegen.h"

#include "bufferedfile.h"
#include "csvwriter.h"
#include "datwriter.h"
#include "logwriter.h"
#include "timestamp.h"

#include <stdexcept>
#include <system_error>

namespace samplegen {

namespace {

const char* extension(FileKind kind)
{
    switch (kind) {
    case FileKind::Log:
        return ".LOG";
    case FileKind::Csv:
        return ".CSV";
    case FileKind::Dat:
        return ".DAT";
    }
    throw std::invalid_argument("unknown file kind");
}

TimeStamp startTime(const Recording& recording)
{
    return {recording.year, recording.month, recording.day, recording.hour, recording.minute, recording.second};
}

void checkSettings(const Recording& recording)
{
    startTime(recording); // throws for a start time that does not exist
    if (recording.records < 0)
        throw std::invalid_argument("negative record count");
    if (recording.intervalSeconds < 1)
        throw std::invalid_argument("sample interval below one second");
}

void writeFile(const Recording& recording, const std::filesystem::path& path)
{
    BufferedFile file(path);
    switch (recording.kind) {
    case FileKind::Log:
        writeLog(recording, file);
        break;
    case FileKind::Csv:
        writeCsv(recording, file);
        break;
    case FileKind::Dat:
        writeDat(recording, file);
        break;
    }
    file.close();
}

} // namespace

std::string fileName(const Recording& recording)
{
    return startTime(recording).compact() + '_' + recording.model + extension(recording.kind);
}

int valuesPerRecord(const Recording& recording)
{
    const std::string& model = recording.model;
    const bool allChannels = recording.option.empty();
    switch (recording.kind) {
    case FileKind::Dat:
        return model == "QOR510" ? 6 : 3;
    case FileKind::Log:
        if (model == "QOR1000" || model == "QOR1100")
            return allChannels ? 6 : 3;
        if (model == "QOR1400")
            return allChannels ? 9 : 3;
        break;
    case FileKind::Csv:
        if (model.starts_with("QOR1400"))
            return allChannels ? 9 : 3;
        break;
    }
    if (model == "QOR1000-Z7")
        return 4;
    if (model == "QOR1200" || model == "QOR520")
        return 6;
    if (model == "QOR1300")
        return 9;
    return 3;
}

void write(const Recording& recording, const std::filesystem::path& file)
{
    checkSettings(recording);
    try {
        writeFile(recording, file);
    } catch (...) {
        // A half-written recording would pass for a real one.
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        throw;
    }
}

std::filesystem::path writeInto(const Recording& recording, const std::filesystem::path& folder)
{
    const std::filesystem::path file = folder / fileName(recording);
    write(recording, file);
    return file;
}

std::vector<Recording> sampleSet()
{
    using enum FileKind;
    return {
        {.model = "QOR1000", .kind = Log, .records = 1200, .intervalSeconds = 10, .day = 2, .seed = 11},
        {.model = "QOR1000-Z7", .kind = Log, .records = 1500, .intervalSeconds = 5, .day = 3, .seed = 12},
        {.model = "QOR1200", .kind = Log, .records = 900, .intervalSeconds = 20, .day = 4, .seed = 13},
        {.model = "QOR1300", .kind = Log, .records = 1440, .intervalSeconds = 15, .day = 5, .seed = 14},
        {.model = "QOR1400", .kind = Log, .records = 1200, .intervalSeconds = 10, .day = 6, .seed = 15},
        {.model = "QOR1400", .option = "CH1", .kind = Log, .records = 1500, .intervalSeconds = 10, .day = 7, .seed = 16},
        {.model = "QOR1100", .kind = Csv, .records = 1500, .intervalSeconds = 10, .day = 9, .seed = 21},
        {.model = "QOR1200", .kind = Csv, .records = 1200, .intervalSeconds = 30, .day = 10, .seed = 22, .commentLines = true},
        {.model = "QOR1300", .kind = Csv, .records = 1200, .intervalSeconds = 60, .day = 11, .seed = 23, .commentLines = true},
        {.model = "QOR1400", .kind = Csv, .records = 1000, .intervalSeconds = 10, .day = 12, .seed = 24},
        {.model = "QOR500", .kind = Dat, .records = 1000, .intervalSeconds = 30, .day = 16, .seed = 31},
        {.model = "QOR510", .kind = Dat, .records = 1500, .intervalSeconds = 60, .day = 17, .seed = 32},
    };
}

} // namespace samplegen
