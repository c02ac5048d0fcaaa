// Any thread.
#pragma once

#include "model/DefaultProfiles.h"

#include <cstdint>
#include <string>

namespace bindwell::test {

// A controller as the scan lists it, made by "Acme" and plugged in by USB.
inline DetectedHIDDevice acmeDevice(std::string name, int64_t vendorID, int64_t productID) {
    return {.id = DetectedHIDDevice::makeID(vendorID, productID),
            .name = std::move(name),
            .manufacturer = "Acme",
            .vendorID = vendorID,
            .productID = productID,
            .transport = "USB"};
}

// The profile the wizard stores for that controller.
inline DeviceProfile acmeProfile(std::string name, int64_t vendorID, int64_t productID,
                                 bool isActive) {
    DeviceProfile profile = defaultProfile(acmeDevice(std::move(name), vendorID, productID));
    profile.isActive = isActive;
    return profile;
}

} // namespace bindwell::test
