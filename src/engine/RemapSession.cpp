// Capture of the target controller and the session's lifetime. The manager
// follows every consumer-control interface and the target is picked out
// here, by vendor and product ID only, so every interface of every unit of
// the model is captured. An interface is tracked before it is seized and
// stays tracked when the seize is refused: its values still drive the
// actions, and the tap swallows the copies the system also receives.
// Matching on the name or the port was rejected: names differ between the
// dongle and Bluetooth, and ports change with every replug.
//
// Values of interfaces that are not tracked die here, before the core.
#include "engine/RemapSession.h"

#include "engine/DeviceProperties.h"
#include "support/Log.h"

#include <algorithm>

namespace bindwell {
namespace {

bool holds(const std::vector<HidDeviceRef>& devices, const HidDeviceRef& device) {
    return std::find(devices.begin(), devices.end(), device) != devices.end();
}

} // namespace

RemapSession::RemapSession(Platform& platform)
    : platform_(platform), core_([&platform](const KeyCombination& combination) {
          return platform.outputKeyFor(combination);
      }) {}

// Quietly: the manager and the tap let go of their devices as they are
// destroyed, and a session that ends with its owner logs nothing.
RemapSession::~RemapSession() = default;

void RemapSession::start(std::shared_ptr<const DeviceProfile> profile) {
    core_.setProfile(std::move(profile));
    platform_.eventPoster().prepare();
    openHIDManager();
    installEventTap();
}

void RemapSession::stop() {
    closeSeizedDevices();
    removeEventTap();
    if (manager_) {
        manager_->close();
        manager_.reset();
    }
}

void RemapSession::releaseHeld() {
    core_.releaseHeld(effects_, false);
    perform();
}

void RemapSession::openHIDManager() {
    manager_ = platform_.createHidManager();
    manager_->open({
        .matched = [this](const HidDeviceRef& device) { handleDeviceMatched(device); },
        .removed = [this](const HidDeviceRef& device) { handleDeviceRemoved(device); },
        .inputValue = [this](const HidInputValue& value) { handleInputValue(value); },
    });
    log("HID Manager opened (consumer control interfaces only)");
}

void RemapSession::installEventTap() {
    const std::shared_ptr<const DeviceProfile>& profile = core_.profile();
    const EventTapScope scope{.vendorID = profile ? profile->vendorID : 0,
                              .productID = profile ? profile->productID : 0};
    eventTap_ = platform_.createEventTap(
        scope, [this](const TapEvent& event) { return handleTapEvent(event); });
    if (!eventTap_) {
        log("⚠️ Could not create the event tap — media keys may double-fire");
        log("Make sure Bindwell has the Send input permission");
        return;
    }
    eventTap_->setEnabled(true);
    log("✅ Event tap installed — media keys + extra mouse buttons will be intercepted");
}

void RemapSession::removeEventTap() {
    if (!eventTap_) {
        return;
    }
    eventTap_->setEnabled(false);
    eventTap_.reset();
    log("Event tap removed");
}

bool RemapSession::isTargetDevice(const HidDevice& device) const {
    const std::shared_ptr<const DeviceProfile>& profile = core_.profile();
    if (!profile) {
        return false;
    }
    return integerProperty(device, hidproperty::vendorID) == profile->vendorID &&
           integerProperty(device, hidproperty::productID) == profile->productID;
}

void RemapSession::closeSeizedDevices() {
    for (const HidDeviceRef& device : seizedDevices_) {
        device->close();
    }
    seizedDevices_.clear();
    trackedDevices_.clear();
    core_.forgetArrayPresses();
}

void RemapSession::handleDeviceMatched(const HidDeviceRef& device) {
    const std::string name = textProperty(*device, hidproperty::product);
    log("Consumer control interface found: " +
        describeDevice(name, integerProperty(*device, hidproperty::vendorID),
                       integerProperty(*device, hidproperty::productID)));
    if (!isTargetDevice(*device)) {
        log("⏭️ Skipping non-target device: " + name);
        return;
    }
    trackedDevices_.push_back(device);
    const int32_t result = device->openSeized();
    if (result != 0) {
        log("⚠️ Could not seize " + name + " (error: " + std::to_string(result) +
            "). Using the event tap instead.");
        return;
    }
    seizedDevices_.push_back(device);
    log("✅ Seized consumer control interface for: " + name);
}

void RemapSession::handleDeviceRemoved(const HidDeviceRef& device) {
    log("Device disconnected: " + textProperty(*device, hidproperty::product));
    if (holds(seizedDevices_, device)) {
        device->close();
        std::erase(seizedDevices_, device);
    }
    const bool wasTracked = holds(trackedDevices_, device);
    std::erase(trackedDevices_, device);
    core_.forgetInterface(device.get());
    if (wasTracked && trackedDevices_.empty()) {
        // The controller is gone, so the release of a held button will never
        // arrive; without this the desktop would keep a mouse button or Fn down.
        core_.releaseHeld(effects_, true);
        perform();
    }
}

void RemapSession::handleInputValue(const HidInputValue& value) {
    if (!holds(trackedDevices_, value.device)) {
        return;
    }
    const double now = value.timestamp > 0 ? value.timestamp : platform_.clock().uptimeSeconds();
    core_.input(value, now, effects_);
    perform();
}

TapVerdict RemapSession::handleTapEvent(const TapEvent& event) {
    const TapVerdict verdict = core_.tap(event, platform_.clock().uptimeSeconds(), effects_);
    perform();
    return verdict;
}

void RemapSession::perform() {
    if (!effects_.posts().empty()) {
        platform_.eventPoster().post(effects_.posts());
    }
    if (!effects_.texts().empty()) {
        platform_.inputLoop().handOff(effects_.texts());
    }
    effects_.clear();
}

} // namespace bindwell
