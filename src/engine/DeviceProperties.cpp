#include "engine/DeviceProperties.h"

#include "support/Hex.h"

namespace bindwell {

namespace {

std::optional<std::string> textIfReported(const HidDevice& device, std::string_view key) {
    const auto value = device.property(key);
    if (value) {
        if (const auto* text = std::get_if<std::string>(&*value)) {
            return *text;
        }
    }
    return std::nullopt;
}

} // namespace

std::string textProperty(const HidDevice& device, std::string_view key) {
    return textIfReported(device, key).value_or("Unknown");
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

DeviceIdentity identityOf(const HidDevice& device) {
    return {.vendorID = integerProperty(device, hidproperty::vendorID),
            .productID = integerProperty(device, hidproperty::productID),
            .serialNumber = textIfReported(device, hidproperty::serialNumber).value_or(""),
            .physicalPath = textIfReported(device, hidproperty::physicalPath).value_or("")};
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
