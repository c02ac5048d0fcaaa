// Capture of the target controller. The manager follows every consumer-control
// interface and the target is picked out here, by vendor and product ID only,
// so every interface of every unit of the model is captured. An interface is
// tracked before it is seized and stays tracked when the seize is refused: its
// values still drive the actions, and the tap swallows the copies the system
// also receives. Matching on the name or the port was rejected: names differ
// between the dongle and Bluetooth, and ports change with every replug.
#include "engine/DeviceProperties.h"
#include "engine/HIDInterceptor.h"
#include "support/Log.h"

#include <algorithm>

namespace bindwell {
namespace {

bool holds(const std::vector<HidDeviceRef>& devices, const HidDeviceRef& device) {
    return std::find(devices.begin(), devices.end(), device) != devices.end();
}

} // namespace

void HIDInterceptor::openHIDManager() {
    manager_ = platform_.createHidManager();
    manager_->open({
        .matched = [this](const HidDeviceRef& device) { handleDeviceMatched(device); },
        .removed = [this](const HidDeviceRef& device) { handleDeviceRemoved(device); },
        .inputValue = [this](const HidInputValue& value) { handleInputValue(value); },
    });
    log("HID Manager opened (consumer control interfaces only)");
}

bool HIDInterceptor::isTargetDevice(const HidDevice& device) const {
    if (!activeProfile_) {
        return false;
    }
    return integerProperty(device, hidproperty::vendorID) == activeProfile_->vendorID &&
           integerProperty(device, hidproperty::productID) == activeProfile_->productID;
}

void HIDInterceptor::closeSeizedDevices() {
    for (const HidDeviceRef& device : seizedDevices_) {
        device->close();
    }
    seizedDevices_.clear();
    trackedDevices_.clear();
    arrayPresses_.clear();
}

void HIDInterceptor::handleDeviceMatched(const HidDeviceRef& device) {
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

void HIDInterceptor::handleDeviceRemoved(const HidDeviceRef& device) {
    log("Device disconnected: " + textProperty(*device, hidproperty::product));
    if (holds(seizedDevices_, device)) {
        device->close();
        std::erase(seizedDevices_, device);
    }
    const bool wasTracked = holds(trackedDevices_, device);
    std::erase(trackedDevices_, device);
    arrayPresses_.forgetDevice(device.get());
    if (wasTracked && trackedDevices_.empty()) {
        releaseHeldOutput("the controller disconnected");
    }
}

} // namespace bindwell
