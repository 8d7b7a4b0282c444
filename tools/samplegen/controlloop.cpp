#include "controlloop.h"

#include <algorithm>
#include <cmath>

namespace samplegen {

ControlLoop::ControlLoop(const LoopSettings& settings, double intervalSeconds, std::uint64_t seed)
    : m_settings(settings)
    , m_random(seed)
    , m_decay(std::exp(-intervalSeconds / settings.lagSeconds))
    , m_process(settings.idleSetPoint)
    , m_output(std::clamp((settings.idleSetPoint - settings.ambient) / settings.gain, settings.minOutput, 100.0))
{
    // The PI controller cancels the process lag and leaves a loop that settles
    // with responseSeconds. Worked out for the sampled process, it stays
    // stable however long the sample interval is.
    const double closedLoopDecay = std::exp(-intervalSeconds / settings.responseSeconds);
    m_controllerGain = (1 - closedLoopDecay) / (settings.gain * (1 - m_decay));

    m_disturbanceDecay = std::exp(-intervalSeconds / (4 * settings.lagSeconds));
    const double disturbanceSize = 4 * settings.noise;
    m_disturbanceStep = disturbanceSize * std::sqrt(1 - m_disturbanceDecay * m_disturbanceDecay);
}

ControlLoop::Sample ControlLoop::step(double level)
{
    const double sp = m_settings.idleSetPoint + level * (m_settings.soakSetPoint - m_settings.idleSetPoint);
    const double pv = m_process + m_settings.noise * m_random.normal();
    const double error = sp - pv;
    m_output = std::clamp(m_output + m_controllerGain * (error - m_decay * m_lastError), m_settings.minOutput, 100.0);
    m_lastError = error;
    settle(m_output);
    return {pv, sp, m_output};
}

// Moves the process on by one period towards where this output would settle.
void ControlLoop::settle(double output)
{
    m_disturbance = m_disturbanceDecay * m_disturbance + m_disturbanceStep * m_random.normal();
    const double target = m_settings.ambient + m_settings.gain * output + m_disturbance;
    m_process = target + (m_process - target) * m_decay;
}

} // namespace samplegen
