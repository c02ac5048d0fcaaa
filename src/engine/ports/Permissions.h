// Main thread only.
#pragma once

#include <cstdint>

namespace bindwell {

// Each probe acquires and releases what it tests within the call.
class Permissions {
public:
    virtual ~Permissions() = default;
    // May this process post synthetic keyboard and mouse events?
    [[nodiscard]] virtual bool canPostEvents() = 0;
    // May this process read (and so seize) some controller whole?
    [[nodiscard]] virtual bool canMonitorInput() = 0;
    // May this process read every interface of this one device? A closed
    // keyboard interface counts only when its keys were asked for.
    [[nodiscard]] virtual bool canReadDevice(int64_t vendorID, int64_t productID,
                                             bool keyboardKeysToo) = 0;
};

} // namespace bindwell
