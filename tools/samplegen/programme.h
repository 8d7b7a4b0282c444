#pragma once

#include <cstdint>

namespace samplegen {

class Random;

enum class Phase { Idle, RampUp, Soak, CoolDown };

// The set point programme a controller runs: a short idle, a ramp up, a soak,
// a cool-down and idle again, repeated for as long as the recording lasts.
// It gives the set point as a level, 0 at idle and 1 at the soak, so each
// channel can scale it to its own range.
class Programme {
  public:
    struct Point {
        double level;
        Phase phase;
    };

    Programme(std::int64_t cycleSeconds, Random& random);

    Point at(std::int64_t seconds) const;

  private:
    std::int64_t m_cycle;
    std::int64_t m_rampStart;
    std::int64_t m_soakStart;
    std::int64_t m_coolStart;
    std::int64_t m_coolEnd;
};

} // namespace samplegen
