#include "UhidDevice.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <linux/uhid.h>
#include <sstream>
#include <unistd.h>

namespace vmtest {
namespace {

bool writeEvent(int fd, const uhid_event& event) {
    return ::write(fd, &event, sizeof event) == static_cast<ssize_t>(sizeof event);
}

} // namespace

UhidDevice::UhidDevice(const Identity& identity, const std::vector<uint8_t>& descriptor) {
    fd_ = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (fd_ < 0) {
        return;
    }
    uhid_event event{};
    event.type = UHID_CREATE2;
    std::strncpy(reinterpret_cast<char*>(event.u.create2.name), identity.name.c_str(),
                 sizeof event.u.create2.name - 1);
    std::strncpy(reinterpret_cast<char*>(event.u.create2.phys), "vmtest/uhid",
                 sizeof event.u.create2.phys - 1);
    std::strncpy(reinterpret_cast<char*>(event.u.create2.uniq), identity.uniq.c_str(),
                 sizeof event.u.create2.uniq - 1);
    event.u.create2.rd_size = static_cast<uint16_t>(descriptor.size());
    event.u.create2.bus = identity.bus;
    event.u.create2.vendor = identity.vendor;
    event.u.create2.product = identity.product;
    std::copy(descriptor.begin(), descriptor.end(), event.u.create2.rd_data);
    if (!writeEvent(fd_, event)) {
        ::close(fd_);
        fd_ = -1;
    }
}

UhidDevice::~UhidDevice() {
    unplug();
}

void UhidDevice::send(const std::vector<uint8_t>& report) {
    uhid_event event{};
    event.type = UHID_INPUT2;
    event.u.input2.size = static_cast<uint16_t>(report.size());
    std::copy(report.begin(), report.end(), event.u.input2.data);
    (void)writeEvent(fd_, event);
}

void UhidDevice::unplug() {
    if (fd_ < 0) {
        return;
    }
    uhid_event event{};
    event.type = UHID_DESTROY;
    (void)writeEvent(fd_, event);
    ::close(fd_);
    fd_ = -1;
}

const std::vector<uint8_t>& controllerDescriptor() {
    static const std::vector<uint8_t> bytes = {
        0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, // Consumer Control, Application
        0x85, 0x01,                         //   Report ID 1
        0x15, 0x00, 0x26, 0xFF, 0x03,       //   Logical 0..0x3FF
        0x19, 0x00, 0x2A, 0xFF, 0x03,       //   Usages 0..0x3FF
        0x75, 0x10, 0x95, 0x01, 0x81, 0x00, //   1 x 16 bits, Input (Array)
        0xC0,                               // End Collection
        0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, // Mouse, Application
        0x85, 0x02, 0x09, 0x01, 0xA1, 0x00, //   Report ID 2, Pointer, Physical
        0x05, 0x09, 0x19, 0x01, 0x29, 0x05, //     Buttons 1..5
        0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x05, 0x81, 0x02, 0x75, 0x03,
        0x95, 0x01, 0x81, 0x01,                         //     padding
        0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38, // X, Y, Wheel
        0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x03, 0x81, 0x06, 0xC0, 0xC0,
    };
    return bytes;
}

std::vector<uint8_t> loadDescriptor(const std::string& file) {
    std::ifstream in(file);
    std::vector<uint8_t> bytes;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line.substr(0, line.find('#')));
        for (unsigned byte = 0; words >> std::hex >> byte;) {
            bytes.push_back(static_cast<uint8_t>(byte));
        }
    }
    return bytes;
}

std::vector<uint8_t> consumerReport(uint16_t usage) {
    return {0x01, static_cast<uint8_t>(usage & 0xFF), static_cast<uint8_t>(usage >> 8)};
}

std::vector<uint8_t> mouseReport(uint8_t buttons, int8_t x, int8_t y, int8_t wheel) {
    return {0x02, buttons, static_cast<uint8_t>(x), static_cast<uint8_t>(y),
            static_cast<uint8_t>(wheel)};
}

} // namespace vmtest
