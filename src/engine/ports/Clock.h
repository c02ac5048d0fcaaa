// Any thread: the clock only reads.
#pragma once

namespace bindwell {

class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic seconds since boot.
    [[nodiscard]] virtual double uptimeSeconds() const = 0;
};

} // namespace bindwell
