// Any thread: the clock only reads.
#pragma once

#include "engine/ports/Clock.h"

namespace bindwell::linuxplatform {

// Seconds of CLOCK_MONOTONIC: steady across wall-clock changes, as the repeat
// filter needs.
class MonotonicClock final : public Clock {
public:
    [[nodiscard]] double uptimeSeconds() const override;
};

} // namespace bindwell::linuxplatform
