#include "platform/linux/UinputDevice.h"

#include <algorithm>
#include <array>
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

void UinputDevice::write(std::span<const EvdevEvent> events) {
    // Converted on the stack, not zeroed first (each event is set whole); only
    // an unusually long batch takes two writes.
    constexpr size_t kChunk = 64;
    std::array<input_event, kChunk> raw;
    while (!events.empty()) {
        const size_t count = std::min(events.size(), kChunk);
        for (size_t i = 0; i < count; ++i) {
            raw[i] = input_event{};
            raw[i].type = events[i].type;
            raw[i].code = events[i].code;
            raw[i].value = events[i].value;
        }
        // The reader wakes once per write. A failed write means the device is
        // being torn down and nobody is left to read it.
        (void)::write(fd_, raw.data(), count * sizeof(input_event));
        events = events.subspan(count);
    }
}

} // namespace bindwell::linuxplatform
