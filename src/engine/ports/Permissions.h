// Main thread only.
#pragma once

namespace bindwell {

// Each probe acquires and releases what it tests within the call.
class Permissions {
public:
    virtual ~Permissions() = default;
    // May this process post synthetic keyboard and mouse events?
    [[nodiscard]] virtual bool canPostEvents() = 0;
    // May this process read (and so seize) input devices?
    [[nodiscard]] virtual bool canMonitorInput() = 0;
};

} // namespace bindwell
