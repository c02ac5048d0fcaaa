// Main thread only.
#pragma once

#include "engine/ports/EventTap.h"

namespace bindwell::sim {

class SimPlatform;

// A tap whose events come from the test. While disabled it sees nothing.
class SimEventTap final : public EventTap {
public:
    SimEventTap(SimPlatform& platform, EventTapScope scope, Handler handler);
    ~SimEventTap() override;
    SimEventTap(const SimEventTap&) = delete;
    SimEventTap& operator=(const SimEventTap&) = delete;

    void setEnabled(bool enabled) override { isEnabled_ = enabled; }
    [[nodiscard]] bool isEnabled() const { return isEnabled_; }
    [[nodiscard]] const EventTapScope& scope() const { return scope_; }

    // The handler's verdict; an event reaching a disabled tap passes untouched.
    [[nodiscard]] TapVerdict deliver(const TapEvent& event, const DeviceIdentity* source);

private:
    SimPlatform& platform_;
    EventTapScope scope_;
    Handler handler_;
    bool isEnabled_ = false;
};

} // namespace bindwell::sim
