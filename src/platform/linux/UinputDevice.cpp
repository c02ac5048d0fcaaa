#include "platform/linux/UinputDevice.h"

#include <libevdev/libevdev-uinput.h>

namespace bindwell::linuxplatform {

UinputDevice::CreateResult UinputDevice::create(const libevdev* description) {
    libevdev_uinput* device = nullptr;
    const int rc =
        libevdev_uinput_create_from_device(description, LIBEVDEV_UINPUT_OPEN_MANAGED, &device);
    if (rc < 0) {
        return {nullptr, -rc};
    }
    return {std::unique_ptr<UinputDevice>(new UinputDevice(device)), 0};
}

UinputDevice::~UinputDevice() {
    libevdev_uinput_destroy(device_);
}

void UinputDevice::write(const EvdevEvent& event) {
    // A failed write means the device is being torn down; there is nobody
    // left to deliver the event to.
    (void)libevdev_uinput_write_event(device_, event.type, event.code, event.value);
}

void UinputDevice::sync() {
    write({EV_SYN, SYN_REPORT, 0});
}

void UinputDevice::writeFrame(uint16_t type, uint16_t code, int32_t value) {
    write({type, code, value});
    sync();
}

std::string UinputDevice::devnode() const {
    const char* node = libevdev_uinput_get_devnode(device_);
    return node ? node : "";
}

} // namespace bindwell::linuxplatform
