// Main thread only.
#pragma once

#include "engine/InlineInputLoop.h"
#include "engine/ports/Platform.h"
#include "platform/sim/RecordingPoster.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimHidDevice.h"
#include "platform/sim/SimPermissions.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bindwell::sim {

class SimEventTap;
class SimHidManager;

// An in-memory machine for tests and the scenario runner: consumer-control
// and keyboard-key interfaces that appear, change, report values and disappear on command, a
// poster that records, a tap that can be refused and fed events, settable
// permissions and a clock that moves only when set.
class SimPlatform final : public Platform {
public:
    SimPlatform() = default;
    // Runs remapping on `inputLoop` instead of the caller's thread.
    explicit SimPlatform(InputLoop& inputLoop) : externalLoop_(&inputLoop) {}
    ~SimPlatform() override;
    SimPlatform(const SimPlatform&) = delete;
    SimPlatform& operator=(const SimPlatform&) = delete;

    [[nodiscard]] std::unique_ptr<HidManager> createHidManager() override;
    [[nodiscard]] std::vector<HidDeviceRef> scanInterfaces() override { return presentDevices(); }
    [[nodiscard]] std::unique_ptr<EventTap> createEventTap(const EventTapScope& scope,
                                                           EventTap::Handler handler) override;
    [[nodiscard]] EventPoster& eventPoster() override { return poster_; }
    // Linux's keys: the simulator shows what the real poster would type.
    [[nodiscard]] std::optional<uint16_t>
    outputKeyFor(const KeyCombination& combination) const override;
    [[nodiscard]] Permissions& permissions() override { return permissions_; }
    [[nodiscard]] const Clock& clock() const override { return clock_; }
    [[nodiscard]] InputLoop& inputLoop() override {
        return externalLoop_ != nullptr ? *externalLoop_ : inlineLoop_;
    }

    // An interface appears with the product name and IDs; open managers see it
    // at once (a keyboard-key one only where the manager reads that unit's
    // keyboards). Nullptr when an interface of that id is already present.
    std::shared_ptr<SimHidDevice>
    addInterface(std::string_view id, int64_t vendorID, int64_t productID, std::string_view name,
                 HidInterfaceKind kind = HidInterfaceKind::consumerControl);
    // An interface that is present; its properties may be changed at any time.
    [[nodiscard]] std::shared_ptr<SimHidDevice> interface(std::string_view id) const;
    // False when no such interface is present.
    bool removeInterface(std::string_view id);
    bool sendValue(std::string_view id, uint32_t usagePage, uint32_t usage, int64_t value);

    // Whether later tap creations succeed.
    void setTapAllowed(bool allowed) { tapAllowed_ = allowed; }
    // The installed tap's verdict, or nothing when no tap is installed.
    // `source` null: an event whose device the system does not tell.
    std::optional<TapVerdict> feedTapEvent(const TapEvent& event,
                                           const DeviceIdentity* source = nullptr);
    [[nodiscard]] const SimEventTap* tap() const { return tap_; }

    // Moves the clock on to the loop's requested wake-up and runs it, when
    // that is due by `until`; false when none is. Repeated, it lets time
    // pass to `until` one wake-up at a time.
    bool passWake(double until);

    [[nodiscard]] RecordingPoster& poster() { return poster_; }
    [[nodiscard]] SimClock& simClock() { return clock_; }
    [[nodiscard]] SimPermissions& simPermissions() { return permissions_; }

    [[nodiscard]] std::vector<HidDeviceRef> presentDevices() const;
    [[nodiscard]] bool isPresent(const HidDevice* device) const;
    [[nodiscard]] int openManagerCount() const { return static_cast<int>(openManagers_.size()); }
    [[nodiscard]] int createdManagerCount() const { return createdManagers_; }

    // Bookkeeping of the managers and the tap.
    void managerOpened(SimHidManager* manager);
    void managerClosed(SimHidManager* manager);
    void tapDestroyed(const SimEventTap* tap);

private:
    struct Interface {
        std::string id;
        std::shared_ptr<SimHidDevice> device;
    };
    [[nodiscard]] std::vector<Interface>::const_iterator find(std::string_view id) const;
    template <typename Announce> void announce(const Announce& announcement) const;

    std::vector<Interface> interfaces_;
    std::vector<SimHidManager*> openManagers_;
    int createdManagers_ = 0;
    SimEventTap* tap_ = nullptr;
    bool tapAllowed_ = true;
    RecordingPoster poster_;
    SimPermissions permissions_;
    SimClock clock_;
    InlineInputLoop inlineLoop_;
    InputLoop* externalLoop_ = nullptr;
};

} // namespace bindwell::sim
