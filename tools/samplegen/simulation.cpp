#include "simulation.h"

#include "samplegen.h"

#include <algorithm>
#include <cmath>

namespace samplegen {

namespace {

constexpr std::int64_t LongestCycle = 6 * 3600;
constexpr int ShortestCycleSamples = 20;

// A full programme in a short recording, and back-to-back programmes of a
// few hours in a long one. The process speed follows the cycle length, as
// a small chamber is quicker than a big furnace.
std::int64_t cycleSeconds(const Recording& recording)
{
    const std::int64_t duration = recording.records * recording.intervalSeconds;
    return std::max(std::min(duration, LongestCycle), std::int64_t{ShortestCycleSamples} * recording.intervalSeconds);
}

bool isClimateChamber(const std::string& model)
{
    return model == "QOR1200" || model == "QOR510";
}

// Zones further from the heater settle a little lower and react more slowly.
LoopSettings furnaceZone(int zone, double soak, double cycle)
{
    const double lag = 0.03 * cycle * (1 + 0.25 * zone);
    return {.idleSetPoint = 40,
            .soakSetPoint = soak - 25.0 * zone,
            .ambient = 22,
            .gain = 12.5,
            .lagSeconds = lag,
            .responseSeconds = lag / 2,
            .noise = 0.15 + 0.05 * zone,
            .minOutput = 0};
}

// A well insulated load that cannot follow the cool-down by losing heat
// alone, so the controller drives a cooling output below 0 %.
LoopSettings heatCoolLoop(double soak, double cycle)
{
    return {.idleSetPoint = 40,
            .soakSetPoint = soak,
            .ambient = 22,
            .gain = 20,
            .lagSeconds = 0.3 * cycle,
            .responseSeconds = 0.01 * cycle,
            .noise = 0.15,
            .minOutput = -100};
}

LoopSettings chamberTemperature(double soak, double cycle)
{
    return {.idleSetPoint = 23,
            .soakSetPoint = soak,
            .ambient = 20,
            .gain = 1.2,
            .lagSeconds = 0.02 * cycle,
            .responseSeconds = 0.01 * cycle,
            .noise = 0.1,
            .minOutput = 0};
}

LoopSettings chamberHumidity(double cycle)
{
    return {.idleSetPoint = 50,
            .soakSetPoint = 85,
            .ambient = 30,
            .gain = 0.7,
            .lagSeconds = 0.01 * cycle,
            .responseSeconds = 0.005 * cycle,
            .noise = 0.4,
            .minOutput = 0};
}

std::vector<LoopSettings> loopSettings(const Recording& recording, Random& random)
{
    const auto cycle = static_cast<double>(cycleSeconds(recording));
    if (isClimateChamber(recording.model)) {
        const double soak = 60 + 5 * std::floor(random.uniform(0, 7));
        return {chamberTemperature(soak, cycle), chamberHumidity(cycle)};
    }
    // Ovens soak between 150 and 230 degrees, within the default 0 to 300 scale of the graphs; the
    // heat-cool loop runs hotter, so that its cool-down needs the cooling output.
    const double soak = 150 + 10 * std::floor(random.uniform(0, 9));
    if (recording.model == "QOR1000-Z7")
        return {heatCoolLoop(4 * soak, cycle)};
    std::vector<LoopSettings> zones;
    for (int zone = 0; zone < 3; ++zone)
        zones.push_back(furnaceZone(zone, soak, cycle));
    return zones;
}

} // namespace

Simulation::Simulation(const Recording& recording)
    : m_random(recording.seed)
    , m_programme(cycleSeconds(recording), m_random)
    , m_interval(recording.intervalSeconds)
    , m_fullPrecision(recording.fullPrecision)
{
    const auto channels = static_cast<std::size_t>((valuesPerRecord(recording) + 2) / 3);
    const std::vector<LoopSettings> settings = loopSettings(recording, m_random);
    // The fourth value of a loop that heats and cools is its cooling output,
    // not a second channel; such a loop runs alone.
    m_splitOutput = settings.front().minOutput < 0;
    for (std::size_t channel = 0; channel < std::min(channels, settings.size()); ++channel)
        m_loops.emplace_back(settings[channel], recording.intervalSeconds, m_random.next());
}

double Simulation::recorded(double value) const
{
    return m_fullPrecision ? value : std::round(value * 10) / 10;
}

void Simulation::next()
{
    const Programme::Point point = m_programme.at(m_seconds);
    m_phase = point.phase;
    for (std::size_t channel = 0; channel < m_loops.size(); ++channel) {
        const ControlLoop::Sample sample = m_loops[channel].step(point.level);
        m_values[3 * channel] = recorded(sample.pv);
        m_values[3 * channel + 1] = recorded(sample.sp);
        m_values[3 * channel + 2] = recorded(sample.mv);
    }
    if (m_splitOutput) {
        m_values[3] = std::max(0.0, -m_values[2]);
        m_values[2] = std::max(0.0, m_values[2]);
    }
    m_seconds += m_interval;
}

} // namespace samplegen
