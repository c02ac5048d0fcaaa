// The thread that writes through it (the input thread).
#pragma once

#include "platform/linux/EvdevEvent.h"

#include <memory>
#include <span>

struct libevdev;
struct libevdev_uinput;

namespace bindwell::linuxplatform {

// A virtual input device created through /dev/uinput.
class UinputDevice final {
public:
    struct CreateResult {
        std::unique_ptr<UinputDevice> device;
        int error = 0; // errno when device is null
    };

    // A device with the capabilities, name, IDs and phys of `description`.
    [[nodiscard]] static CreateResult create(const libevdev* description);
    ~UinputDevice();
    UinputDevice(const UinputDevice&) = delete;
    UinputDevice& operator=(const UinputDevice&) = delete;

    // Writes the events in one go; a frame ends with its SYN_REPORT.
    void write(std::span<const EvdevEvent> events);

private:
    UinputDevice(libevdev_uinput* device, int fd) : device_(device), fd_(fd) {}

    libevdev_uinput* device_;
    int fd_;
};

} // namespace bindwell::linuxplatform
