#include "platform/linux/MonotonicClock.h"

#include <ctime>

namespace bindwell::linuxplatform {

double MonotonicClock::uptimeSeconds() const {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace bindwell::linuxplatform
