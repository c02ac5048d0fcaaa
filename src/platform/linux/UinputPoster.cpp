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
    frames_.reserve(32);
}

void UinputPoster::post(std::span<const OutputEvent> events) {
    if (!device_) {
        return;
    }
    frames_.clear();
    for (const OutputEvent& event : events) {
        if (event.kind == OutputEvent::Kind::pointerButton) {
            appendFrame(event.button == OutputEvent::Button::left ? BTN_LEFT : BTN_RIGHT,
                        event.pressed);
        } else {
            appendKey(event);
        }
    }
    device_->write(frames_);
}

// Each key gets a frame of its own, modifiers first on the way down and last
// on the way up: clients that read a frame as one moment still see the
// modifier held when the key arrives.
void UinputPoster::appendKey(const OutputEvent& event) {
    const ModifierKeys modifiers = modifierKeysFor(event.modifiers);
    if (event.pressed) {
        for (const uint16_t modifier : modifiers) {
            appendFrame(modifier, true);
        }
        appendFrame(event.key, true);
        return;
    }
    appendFrame(event.key, false);
    for (auto it = modifiers.end(); it != modifiers.begin();) {
        appendFrame(*--it, false);
    }
}

void UinputPoster::appendFrame(uint16_t code, bool pressed) {
    frames_.push_back({EV_KEY, code, pressed ? 1 : 0});
    frames_.push_back({EV_SYN, SYN_REPORT, 0});
}

} // namespace bindwell::linuxplatform
