#include "logwriter.h"

#include "bufferedfile.h"
#include "samplegen.h"
#include "simulation.h"

#include <limits>
#include <stdexcept>

namespace samplegen {

namespace {

constexpr std::size_t HeaderTextSize = 40;

void appendHeaderText(BufferedFile& file, const std::string& text)
{
    if (text.size() > HeaderTextSize)
        throw std::invalid_argument("LOG header text longer than 40 bytes: " + text);
    file.append(text);
    file.append(std::string(HeaderTextSize - text.size(), ' '));
}

} // namespace

void writeLog(const Recording& recording, BufferedFile& file)
{
    if (recording.records * recording.intervalSeconds > std::numeric_limits<std::int32_t>::max())
        throw std::invalid_argument("LOG recording too long for its int32 seconds");
    appendHeaderText(file, '[' + recording.model + ']');
    appendHeaderText(file, recording.option);

    const int count = valuesPerRecord(recording);
    Simulation simulation(recording);
    for (std::int64_t record = 0; record < recording.records; ++record) {
        simulation.next();
        file.appendInt32(static_cast<std::int32_t>(simulation.seconds()));
        for (int column = 0; column < count; ++column)
            file.appendDouble(simulation.values()[static_cast<std::size_t>(column)]);
    }
}

} // namespace samplegen
