#include "platform/linux/UinputDevice.h"

#include <cerrno>
#include <fcntl.h>
#include <libevdev/libevdev-uinput.h>
#include <linux/uinput.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace bindwell::linuxplatform {

UinputDevice::CreateResult UinputDevice::create(const libevdev* description) {
    const int fd = ::open("/dev/uinput", O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return {nullptr, errno};
    }
    // libevdev leaves phys unset on the devices it creates, and phys is how
    // our own devices are told apart from the user's: set it ourselves first.
    if (const char* phys = libevdev_get_phys(description)) {
        (void)ioctl(fd, UI_SET_PHYS, phys);
    }
    libevdev_uinput* device = nullptr;
    const int rc = libevdev_uinput_create_from_device(description, fd, &device);
    if (rc < 0) {
        ::close(fd);
        return {nullptr, -rc};
    }
    return {std::unique_ptr<UinputDevice>(new UinputDevice(device, fd)), 0};
}

UinputDevice::~UinputDevice() {
    libevdev_uinput_destroy(device_);
    ::close(fd_);
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
