#include "platform/linux/UinputPoster.h"

#include "platform/linux/VirtualKeyTable.h"
#include "support/Log.h"

#include <cstring>
#include <libevdev/libevdev.h>
#include <string>

namespace bindwell::linuxplatform {
namespace {

using EvdevPtr = std::unique_ptr<libevdev, decltype(&libevdev_free)>;

// Pointer buttons and axes make desktops treat the device as a mouse too,
// which the held clicks need.
EvdevPtr describeVirtualDevice() {
    EvdevPtr description(libevdev_new(), &libevdev_free);
    libevdev_set_name(description.get(), UinputPoster::kDeviceName);
    libevdev_set_phys(description.get(), UinputPoster::kDevicePhys);
    libevdev_set_id_bustype(description.get(), BUS_VIRTUAL);
    libevdev_enable_event_type(description.get(), EV_KEY);
    for (const uint16_t key : postableKeys()) {
        libevdev_enable_event_code(description.get(), EV_KEY, key, nullptr);
    }
    libevdev_enable_event_code(description.get(), EV_KEY, BTN_LEFT, nullptr);
    libevdev_enable_event_code(description.get(), EV_KEY, BTN_RIGHT, nullptr);
    libevdev_enable_event_type(description.get(), EV_REL);
    libevdev_enable_event_code(description.get(), EV_REL, REL_X, nullptr);
    libevdev_enable_event_code(description.get(), EV_REL, REL_Y, nullptr);
    return description;
}

std::optional<std::pair<uint16_t, int32_t>> mouseButtonEvent(MouseEventType type) {
    switch (type) {
    case MouseEventType::leftMouseDown:
        return std::pair<uint16_t, int32_t>{BTN_LEFT, 1};
    case MouseEventType::leftMouseUp:
        return std::pair<uint16_t, int32_t>{BTN_LEFT, 0};
    case MouseEventType::rightMouseDown:
        return std::pair<uint16_t, int32_t>{BTN_RIGHT, 1};
    case MouseEventType::rightMouseUp:
        return std::pair<uint16_t, int32_t>{BTN_RIGHT, 0};
    }
    return std::nullopt;
}

} // namespace

void UinputPoster::prepare() {
    if (device_) {
        return;
    }
    const EvdevPtr description = describeVirtualDevice();
    UinputDevice::CreateResult created = UinputDevice::create(description.get());
    if (!created.device) {
        log("⚠️ Could not create the virtual input device (" +
            std::string(std::strerror(created.error)) +
            "); remapped actions will not be posted. Install the Bindwell udev rule for "
            "/dev/uinput");
        return;
    }
    device_ = std::move(created.device);
}

void UinputPoster::postKey(uint16_t keyCode, bool keyDown, uint64_t flags) {
    if (!device_) {
        return;
    }
    const std::optional<uint16_t> key = linuxKeyForVirtualKey(keyCode);
    if (!key) {
        if (reportedUnknownKeys_.insert(keyCode).second) {
            log("⚠️ Virtual key code " + std::to_string(keyCode) +
                " has no Linux key; it is not posted");
        }
        return;
    }
    const std::vector<uint16_t> modifiers = modifierKeysForFlags(flags);
    if (keyDown) {
        pressKeys(*key, modifiers);
    } else {
        releaseKeys(*key, modifiers);
    }
}

void UinputPoster::pressKeys(uint16_t key, const std::vector<uint16_t>& modifiers) {
    for (const uint16_t modifier : modifiers) {
        device_->writeFrame(EV_KEY, modifier, 1);
    }
    device_->writeFrame(EV_KEY, key, 1);
}

void UinputPoster::releaseKeys(uint16_t key, const std::vector<uint16_t>& modifiers) {
    device_->writeFrame(EV_KEY, key, 0);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
        device_->writeFrame(EV_KEY, *it, 0);
    }
}

void UinputPoster::postMouseButton(MouseEventType type, int) {
    const std::optional<std::pair<uint16_t, int32_t>> event = mouseButtonEvent(type);
    if (device_ && event) {
        device_->writeFrame(EV_KEY, event->first, event->second);
    }
}

std::string UinputPoster::devnode() const {
    return device_ ? device_->devnode() : "";
}

} // namespace bindwell::linuxplatform
