// Any thread; plain values.
#pragma once

#include <cstdint>
#include <string>

namespace bindwell {

// A consumer-control device found by a scan, from which a profile can be built.
struct DetectedHIDDevice {
    std::string id; // "<vendorID>:<productID>", decimal
    std::string name;
    std::string manufacturer;
    int64_t vendorID = 0;
    int64_t productID = 0;
    std::string transport;

    [[nodiscard]] static std::string makeID(int64_t vendorID, int64_t productID);

    // The name, or "<manufacturer> Device" when the device reports no usable name.
    [[nodiscard]] std::string displayName() const;
    // "Acme · USB · VID:0x1A2B PID:0x3C"; the manufacturer is left out when
    // unknown or already part of the name.
    [[nodiscard]] std::string detailText() const;

    friend bool operator==(const DetectedHIDDevice&, const DetectedHIDDevice&) = default;
};

} // namespace bindwell
