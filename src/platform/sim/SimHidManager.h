// Main thread only.
#pragma once

#include "engine/ports/HidManager.h"

#include <memory>

namespace bindwell::sim {

class SimPlatform;

// A manager over the simulated interfaces. Interfaces present at open are
// reported on the event loop afterwards; later arrivals, removals and values
// are reported as the platform announces them. Nothing arrives after close.
class SimHidManager final : public HidManager {
public:
    explicit SimHidManager(SimPlatform& platform) : platform_(platform) {}
    ~SimHidManager() override;
    SimHidManager(const SimHidManager&) = delete;
    SimHidManager& operator=(const SimHidManager&) = delete;

    void open(Callbacks callbacks) override;
    void close() override;

    [[nodiscard]] bool isOpen() const { return session_ != nullptr; }

    // Announcements from the platform.
    void deviceAppeared(const HidDeviceRef& device) const;
    void deviceRemoved(const HidDeviceRef& device) const;
    void inputValue(const HidInputValue& value) const;

private:
    void reportLater(const HidDeviceRef& device);
    // Keyboard-key interfaces only of the units the callbacks pick.
    [[nodiscard]] bool follows(const HidDevice& device) const;

    SimPlatform& platform_;
    Callbacks callbacks_;
    // Lives from open to close; reports queued at open die with it.
    std::shared_ptr<const bool> session_;
};

} // namespace bindwell::sim
