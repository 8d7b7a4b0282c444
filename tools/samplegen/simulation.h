#pragma once

#include "controlloop.h"
#include "programme.h"

#include <array>
#include <vector>

namespace samplegen {

struct Recording;

// The process behind a recording: one programme driving a control loop per
// recorded channel, sampled every interval. Each loop draws from its own
// random stream, so a channel's values do not depend on how many channels
// the file kind records, and a LOG and a CSV of one recording agree.
class Simulation {
  public:
    static constexpr int MaxValues = 9;

    explicit Simulation(const Recording& recording);

    // Samples the next record; its time is seconds() after the start.
    void next();

    std::int64_t seconds() const { return m_seconds - m_interval; }
    Phase phase() const { return m_phase; }
    // PV1, SP1, MV1, PV2, ... rounded to tenths as the devices record them, or as computed with
    // full precision.
    const std::array<double, MaxValues>& values() const { return m_values; }

  private:
    double recorded(double value) const;

    Random m_random;
    Programme m_programme;
    std::vector<ControlLoop> m_loops;
    bool m_splitOutput = false;
    std::int64_t m_interval;
    bool m_fullPrecision;
    std::int64_t m_seconds = 0;
    Phase m_phase = Phase::Idle;
    std::array<double, MaxValues> m_values{};
};

} // namespace samplegen
