#pragma once

#include "random.h"

namespace samplegen {

struct LoopSettings {
    double idleSetPoint;
    double soakSetPoint;
    double ambient;         // where the process settles with the output at 0 %
    double gain;            // settled process change per % of output
    double lagSeconds;      // time constant of the process
    double responseSeconds; // time constant the controller is tuned to close the loop with
    double noise;           // standard deviation of the measurement
    double minOutput;       // -100 for loops that heat and cool with one output
};

// One controller and the process it drives: a first-order process with a
// slowly wandering disturbance, measured with a little noise, under a PI
// controller whose output is limited to minOutput..100 %.
class ControlLoop {
  public:
    struct Sample {
        double pv;
        double sp;
        double mv;
    };

    ControlLoop(const LoopSettings& settings, double intervalSeconds, std::uint64_t seed);

    // One sample period at the given programme level (0 idle, 1 soak).
    Sample step(double level);

  private:
    void settle(double output);

    LoopSettings m_settings;
    Random m_random;
    double m_decay; // how much of the process state is left after one period
    double m_controllerGain;
    double m_disturbanceDecay;
    double m_disturbanceStep;
    double m_process;
    double m_disturbance = 0;
    double m_output;
    double m_lastError = 0;
};

} // namespace samplegen
