#include "model/DetectedHIDDevice.h"

#include "support/Hex.h"

namespace bindwell {
namespace {

constexpr std::string_view kUnknown = "Unknown";

bool isKnown(const std::string& text) {
    return !text.empty() && text != kUnknown;
}

} // namespace

std::string DetectedHIDDevice::makeID(int64_t vendorID, int64_t productID) {
    return std::to_string(vendorID) + ":" + std::to_string(productID);
}

std::string DetectedHIDDevice::displayName() const {
    return isKnown(name) ? name : manufacturer + " Device";
}

const std::string& DetectedHIDDevice::unitName() const {
    return serialNumber.empty() ? physicalPath : serialNumber;
}

std::string DetectedHIDDevice::detailText() const {
    static constexpr std::string_view kSeparator = " · ";
    std::string text;
    if (isKnown(manufacturer) && name.find(manufacturer) == std::string::npos) {
        text.append(manufacturer).append(kSeparator);
    }
    text.append(transport).append(kSeparator);
    text.append("VID:0x").append(hexUpper(vendorID)).append(" PID:0x").append(hexUpper(productID));
    if (hasTwin && !unitName().empty()) {
        text.append(kSeparator).append(serialNumber.empty() ? "Port " : "S/N ").append(unitName());
    }
    return text;
}

} // namespace bindwell
