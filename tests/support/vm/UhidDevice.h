#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vmtest {

// A HID device made through /dev/uhid: the kernel treats it as real hardware.
class UhidDevice {
public:
    struct Identity {
        std::string name;
        uint32_t vendor = 0;
        uint32_t product = 0;
        uint16_t bus = 0;
        // The unit's serial number (a Bluetooth address, say): the "uniq" of
        // every input device the kernel makes for it.
        std::string uniq{};
    };

    UhidDevice(const Identity& identity, const std::vector<uint8_t>& descriptor);
    ~UhidDevice();
    UhidDevice(const UhidDevice&) = delete;
    UhidDevice& operator=(const UhidDevice&) = delete;

    [[nodiscard]] bool ok() const { return fd_ >= 0; }
    void send(const std::vector<uint8_t>& report);
    // Unplugs the device; the object can then only be destroyed.
    void unplug();

private:
    int fd_ = -1;
};

// The controller under test: a consumer-control collection whose buttons sit
// in a 16-bit array field (report 1, usages 0..0x3FF) and a five-button mouse
// with X, Y and wheel (report 2).
const std::vector<uint8_t>& controllerDescriptor();
// A descriptor written in a file as hex bytes, "#" starting a comment.
std::vector<uint8_t> loadDescriptor(const std::string& file);

std::vector<uint8_t> consumerReport(uint16_t usage);
std::vector<uint8_t> mouseReport(uint8_t buttons, int8_t x, int8_t y, int8_t wheel);

} // namespace vmtest
