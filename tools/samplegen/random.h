#pragma once

#include <cstdint>

namespace samplegen {

// Small, fast generator (SplitMix64) whose sequence is the same on every
// platform and standard library, unlike the std distributions, so a seed
// names the same recording everywhere.
class Random {
  public:
    explicit Random(std::uint64_t seed)
        : m_state(seed)
    {
    }

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [low, high).
    double uniform(double low, double high) { return low + (high - low) * static_cast<double>(next() >> 11) * 0x1.0p-53; }

    // Close to a standard normal: the sum of four uniform 16-bit parts of one
    // draw (Irwin-Hall), which is plenty for measurement noise and cheap.
    double normal()
    {
        const std::uint64_t bits = next();
        double sum = 0;
        for (int i = 0; i < 4; ++i)
            sum += static_cast<double>((bits >> (16 * i)) & 0xFFFF);
        constexpr double Mean = 2 * 65535.0;
        constexpr double Scale = 1.7320508075688772 / 65536.0; // sqrt(12 / 4) per unit
        return (sum - Mean) * Scale;
    }

  private:
    std::uint64_t m_state;
};

} // namespace samplegen
