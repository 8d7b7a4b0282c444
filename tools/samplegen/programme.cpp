#include "programme.h"

#include "random.h"

#include <algorithm>

namespace samplegen {

Programme::Programme(std::int64_t cycleSeconds, Random& random)
    : m_cycle(std::max<std::int64_t>(cycleSeconds, 4)) // room for four steps of a second
{
    // Operators never program two runs quite alike, so the shares of the
    // cycle vary with the seed; together they always leave an idle tail.
    const auto after = [this, &random](std::int64_t start, double low, double high) {
        const auto length = static_cast<std::int64_t>(static_cast<double>(m_cycle) * random.uniform(low, high));
        return start + std::max<std::int64_t>(length, 1);
    };
    m_rampStart = after(0, 0.04, 0.08);
    m_soakStart = after(m_rampStart, 0.22, 0.30);
    m_coolStart = after(m_soakStart, 0.25, 0.32);
    m_coolEnd = after(m_coolStart, 0.25, 0.28);
}

Programme::Point Programme::at(std::int64_t seconds) const
{
    const std::int64_t t = seconds % m_cycle;
    const auto fraction = [t](std::int64_t from, std::int64_t to) {
        return static_cast<double>(t - from) / static_cast<double>(to - from);
    };
    if (t < m_rampStart || t >= m_coolEnd)
        return {0.0, Phase::Idle};
    if (t < m_soakStart)
        return {fraction(m_rampStart, m_soakStart), Phase::RampUp};
    if (t < m_coolStart)
        return {1.0, Phase::Soak};
    return {1.0 - fraction(m_coolStart, m_coolEnd), Phase::CoolDown};
}

} // namespace samplegen
