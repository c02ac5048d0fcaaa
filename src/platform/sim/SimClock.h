// Main thread only.
#pragma once

#include "engine/ports/Clock.h"

namespace bindwell::sim {

// Uptime that moves only when told, so repeat-filter timing is exact in tests.
class SimClock final : public Clock {
public:
    static constexpr double kStartSeconds = 1000.0;

    [[nodiscard]] double uptimeSeconds() const override { return now_; }
    void set(double seconds) { now_ = seconds; }

private:
    double now_ = kStartSeconds;
};

} // namespace bindwell::sim
