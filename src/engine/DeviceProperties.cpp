#include "engine/DeviceProperties.h"

#include "support/Hex.h"

namespace bindwell {

std::string textProperty(const HidDevice& device, std::string_view key) {
    const auto value = device.property(key);
    if (value) {
        if (const auto* text = std::get_if<std::string>(&*value)) {
            return *text;
        }
    }
    return "Unknown";
}

int64_t integerProperty(const HidDevice& device, std::string_view key) {
    const auto value = device.property(key);
    if (value) {
        if (const auto* number = std::get_if<int64_t>(&*value)) {
            return *number;
        }
    }
    return 0;
}

std::string describeIDs(int64_t vendorID, int64_t productID) {
    std::string text("[vid:0x");
    text.append(hexLower(vendorID)).append(" pid:0x").append(hexLower(productID)).append("]");
    return text;
}

std::string describeDevice(std::string_view name, int64_t vendorID, int64_t productID) {
    std::string text(name);
    text.append(" ").append(describeIDs(vendorID, productID));
    return text;
}

} // namespace bindwell
