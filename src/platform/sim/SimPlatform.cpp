#include "platform/sim/SimPlatform.h"

#include "platform/linux/HidKeyTable.h"
#include "platform/linux/VirtualKeyTable.h"
#include "platform/sim/SimEventTap.h"
#include "platform/sim/SimHidManager.h"

#include <algorithm>
#include <array>
#include <span>

namespace bindwell::sim {

SimPlatform::~SimPlatform() = default;

std::unique_ptr<HidManager> SimPlatform::createHidManager() {
    ++createdManagers_;
    return std::make_unique<SimHidManager>(*this);
}

std::optional<uint16_t> SimPlatform::outputKeyFor(const KeyCombination& combination) const {
    return linuxplatform::linuxKeyFor(combination);
}

std::unique_ptr<EventTap> SimPlatform::createEventTap(const EventTapScope& scope,
                                                      EventTap::Handler handler) {
    if (!tapAllowed_) {
        return nullptr;
    }
    auto tap = std::make_unique<SimEventTap>(*this, scope, std::move(handler));
    tap_ = tap.get();
    return tap;
}

std::vector<SimPlatform::Interface>::const_iterator SimPlatform::find(std::string_view id) const {
    return std::find_if(interfaces_.begin(), interfaces_.end(),
                        [id](const Interface& entry) { return entry.id == id; });
}

template <typename Announce> void SimPlatform::announce(const Announce& announcement) const {
    // A callback may close a manager, so work on a copy and skip closed ones.
    // The copy stays on the stack for the usual one or two managers, so the
    // benchmarks that feed input through here count no allocation of ours.
    std::array<SimHidManager*, 4> few{};
    std::vector<SimHidManager*> many;
    std::span<SimHidManager* const> managers;
    if (openManagers_.size() <= few.size()) {
        std::copy(openManagers_.begin(), openManagers_.end(), few.begin());
        managers = std::span(few.data(), openManagers_.size());
    } else {
        many = openManagers_;
        managers = many;
    }
    for (SimHidManager* manager : managers) {
        if (std::find(openManagers_.begin(), openManagers_.end(), manager) != openManagers_.end()) {
            announcement(*manager);
        }
    }
}

std::shared_ptr<SimHidDevice> SimPlatform::addInterface(std::string_view id, int64_t vendorID,
                                                        int64_t productID, std::string_view name,
                                                        HidInterfaceKind kind) {
    if (find(id) != interfaces_.end()) {
        return nullptr;
    }
    auto device = std::make_shared<SimHidDevice>(HidDeviceDescription{
        .product = std::string(name), .vendorID = vendorID, .productID = productID, .kind = kind});
    interfaces_.push_back({std::string(id), device});
    const HidDeviceRef ref = device;
    announce([&](const SimHidManager& manager) { manager.deviceAppeared(ref); });
    return device;
}

std::shared_ptr<SimHidDevice> SimPlatform::interface(std::string_view id) const {
    const auto found = find(id);
    return found == interfaces_.end() ? nullptr : found->device;
}

bool SimPlatform::removeInterface(std::string_view id) {
    const auto found = find(id);
    if (found == interfaces_.end()) {
        return false;
    }
    const HidDeviceRef ref = found->device;
    interfaces_.erase(found);
    announce([&](const SimHidManager& manager) { manager.deviceRemoved(ref); });
    return true;
}

bool SimPlatform::sendValue(std::string_view id, uint32_t usagePage, uint32_t usage,
                            int64_t value) {
    const auto found = find(id);
    if (found == interfaces_.end()) {
        return false;
    }
    // The key the kernel would have made of the usage, as a real node reports it.
    const std::optional<uint16_t> key = linuxplatform::evdevKeyForHidUsage({usagePage, usage});
    const HidInputValue input{.device = found->device,
                              .usagePage = usagePage,
                              .usage = usage,
                              .value = value,
                              .key = key.value_or(0)};
    announce([&](const SimHidManager& manager) { manager.inputValue(input); });
    return true;
}

std::optional<TapVerdict> SimPlatform::feedTapEvent(const TapEvent& event,
                                                    const DeviceIdentity* source) {
    if (tap_ == nullptr) {
        return std::nullopt;
    }
    return tap_->deliver(event, source);
}

std::vector<HidDeviceRef> SimPlatform::presentDevices() const {
    std::vector<HidDeviceRef> devices;
    devices.reserve(interfaces_.size());
    for (const Interface& entry : interfaces_) {
        devices.push_back(entry.device);
    }
    return devices;
}

bool SimPlatform::isPresent(const HidDevice* device) const {
    return std::any_of(interfaces_.begin(), interfaces_.end(),
                       [device](const Interface& entry) { return entry.device.get() == device; });
}

void SimPlatform::managerOpened(SimHidManager* manager) {
    openManagers_.push_back(manager);
}

void SimPlatform::managerClosed(SimHidManager* manager) {
    std::erase(openManagers_, manager);
}

void SimPlatform::tapDestroyed(const SimEventTap* tap) {
    if (tap_ == tap) {
        tap_ = nullptr;
    }
}

bool SimPlatform::passWake(double until) {
    if (externalLoop_ != nullptr) {
        return false;
    }
    const std::optional<double> deadline = inlineLoop_.wakeDeadline();
    if (!deadline || *deadline > until) {
        return false;
    }
    clock_.set(std::max(clock_.uptimeSeconds(), *deadline));
    inlineLoop_.passWake();
    return true;
}

} // namespace bindwell::sim
