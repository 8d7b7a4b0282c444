#include "datwriter.h"

#include "bufferedfile.h"
#include "samplegen.h"
#include "simulation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace samplegen {

namespace {

constexpr std::size_t HeaderSize = 512;
constexpr std::size_t ModelSize = 6;
constexpr std::size_t BlockSize = 16;
constexpr double FullCounts = 30000;

// Engineering value = (zero + (full - zero) * raw / 30000) / 10^decimals.
struct Scale {
    std::int16_t full;
    std::int16_t zero;
    std::int16_t decimals;
};

// A thermocouple range for the temperature, 0..100 % for the humidity.
constexpr std::array<Scale, 2> Scales = {{{13700, -2000, 1}, {1000, 0, 1}}};
constexpr std::array<std::size_t, 2> ScaleOffsets = {128, 160};

void putInt16(char* out, int value)
{
    out[0] = static_cast<char>(value);
    out[1] = static_cast<char>(value >> 8);
}

std::int16_t saturated(long long value)
{
    return static_cast<std::int16_t>(
        std::clamp<long long>(value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

std::int16_t rawValue(double value, const Scale& scale)
{
    const double units = value * std::pow(10.0, scale.decimals);
    return saturated(std::llround((units - scale.zero) * FullCounts / (scale.full - scale.zero)));
}

std::int16_t rawOutput(double percent)
{
    return saturated(std::llround(percent * FullCounts / 100));
}

void checkFits(const Recording& recording)
{
    if (recording.model.size() > ModelSize)
        throw std::invalid_argument("DAT model name longer than 6 bytes: " + recording.model);
    if (recording.intervalSeconds > std::numeric_limits<std::int16_t>::max())
        throw std::invalid_argument("DAT sample interval does not fit in int16");
    if (recording.year < 2000 || recording.year > 2127)
        throw std::invalid_argument("DAT start year outside 2000..2127");
}

std::array<char, HeaderSize> header(const Recording& recording)
{
    std::array<char, HeaderSize> bytes{};
    std::memcpy(bytes.data(), recording.model.data(), recording.model.size());
    putInt16(&bytes[64], (recording.year - 2000) << 9 | recording.month << 5 | recording.day);
    const int time = recording.hour << 12 | recording.minute << 6 | recording.second;
    putInt16(&bytes[68], time);
    bytes[70] = static_cast<char>(time >> 16);
    putInt16(&bytes[72], recording.intervalSeconds);
    for (std::size_t channel = 0; channel < Scales.size(); ++channel) {
        char* scale = &bytes[ScaleOffsets[channel]];
        putInt16(scale, Scales[channel].full);
        putInt16(scale + 2, Scales[channel].zero);
        putInt16(scale + 4, Scales[channel].decimals);
    }
    return bytes;
}

// The controller keeps two set point memories and a selector naming the one
// in use: the ramps run on the first (selector 1), the soak on the second
// (selector 0). The memory not in use keeps the value it last had, so only
// the selector tells which one holds the active set point.
class SetPointMemories {
  public:
    std::uint8_t store(Phase phase, std::int16_t setPoint)
    {
        const bool soak = phase == Phase::Soak;
        (soak ? m_soak : m_ramp) = setPoint;
        return soak ? 0 : 1;
    }
    std::int16_t ramp() const { return m_ramp; }
    std::int16_t soak() const { return m_soak; }

  private:
    std::int16_t m_ramp = 0;
    std::int16_t m_soak = 0;
};

// values: PV, SP and MV of the channel.
void appendBlock(const double* values, const Scale& scale, Phase phase, SetPointMemories& memories, BufferedFile& file)
{
    char* const block = file.reserve(BlockSize);
    std::memset(block, 0, BlockSize);
    const std::uint8_t selector = memories.store(phase, rawValue(values[1], scale));
    putInt16(block, rawValue(values[0], scale));
    putInt16(block + 2, memories.ramp());
    putInt16(block + 4, memories.soak());
    putInt16(block + 6, rawOutput(values[2]));
    block[12] = static_cast<char>(selector);
    file.commit(BlockSize);
}

} // namespace

void writeDat(const Recording& recording, BufferedFile& file)
{
    checkFits(recording);
    const std::array<char, HeaderSize> bytes = header(recording);
    file.append({bytes.data(), bytes.size()});

    const auto channels = static_cast<std::size_t>(valuesPerRecord(recording) / 3);
    std::array<SetPointMemories, Scales.size()> memories;
    Simulation simulation(recording);
    for (std::int64_t record = 0; record < recording.records; ++record) {
        simulation.next();
        for (std::size_t channel = 0; channel < channels; ++channel)
            appendBlock(&simulation.values()[3 * channel], Scales[channel], simulation.phase(), memories[channel], file);
        file.appendZeros(BlockSize * (Scales.size() - channels));
    }
}

} // namespace samplegen
