// Main thread only.
#pragma once

#include "engine/ports/HidDevice.h"
#include "model/DeviceIdentity.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace bindwell {

// Property reads with the fallbacks the engine and the scan rely on: a missing
// property, or one of the wrong type, reads as "Unknown" for text and 0 for numbers.
[[nodiscard]] std::string textProperty(const HidDevice& device, std::string_view key);
[[nodiscard]] int64_t integerProperty(const HidDevice& device, std::string_view key);

// The interface's model and unit, empty where the device does not say.
[[nodiscard]] DeviceIdentity identityOf(const HidDevice& device);

// "[vid:0x<vendor> pid:0x<product>]", the way every log line gives a device's IDs.
[[nodiscard]] std::string describeIDs(int64_t vendorID, int64_t productID);
// "<name> [vid:0x<vendor> pid:0x<product>]", the way every log line names a device.
[[nodiscard]] std::string describeDevice(std::string_view name, int64_t vendorID,
                                         int64_t productID);

} // namespace bindwell
