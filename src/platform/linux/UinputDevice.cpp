#include "platform/linux/UinputDevice.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <libevdev/libevdev-uinput.h>
#include <linux/uinput.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

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
    // Frames are a handful of events; only an unusual one needs the heap.
    constexpr size_t kUsualFrame = 16;
    std::array<input_event, kUsualFrame> stack{};
    std::vector<input_event> heap;
    input_event* raw = stack.data();
    if (events.size() > kUsualFrame) {
        heap.resize(events.size());
        raw = heap.data();
    }
    for (size_t i = 0; i < events.size(); ++i) {
        raw[i] = input_event{};
        raw[i].type = events[i].type;
        raw[i].code = events[i].code;
        raw[i].value = events[i].value;
    }
    // One write per frame: the reader wakes once, at the SYN_REPORT. A failed
    // write means the device is being torn down and nobody is left to read it.
    (void)::write(fd_, raw, events.size() * sizeof(input_event));
}

void UinputDevice::writeFrame(uint16_t type, uint16_t code, int32_t value) {
    const EvdevEvent frame[] = {{type, code, value}, {EV_SYN, SYN_REPORT, 0}};
    write(frame);
}

std::string UinputDevice::devnode() const {
    const char* node = libevdev_uinput_get_devnode(device_);
    return node ? node : "";
}

} // namespace bindwell::linuxplatform
