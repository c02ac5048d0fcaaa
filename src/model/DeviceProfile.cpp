#include "model/DeviceProfile.h"

namespace bindwell {

int64_t DeviceProfile::gestureMilliseconds(Gesture gesture) const {
    if (gesture == Gesture::doubleTap) {
        return doubleTapMilliseconds.value_or(kDefaultDoubleTapMilliseconds);
    }
    return holdMilliseconds.value_or(kDefaultHoldMilliseconds);
}

const ButtonMapping* DeviceProfile::findMappingPointer(int64_t usagePage, int64_t usageID,
                                                       int64_t value, uint8_t modifiers) const {
    for (const ButtonMapping& mapping : buttonMappings) {
        const HIDButtonSource& source = mapping.source;
        if (source.usagePage != usagePage || source.modifiers != modifiers) {
            continue;
        }
        if (source.isArrayElement() && usageID == kArrayElementUsage) {
            if (source.matchValue == value) {
                return &mapping;
            }
            continue;
        }
        if (source.usageID == usageID) {
            return &mapping;
        }
    }
    return nullptr;
}

std::optional<int> DeviceProfile::matchRank(const DeviceIdentity& unit) const {
    if (unit.vendorID != vendorID || unit.productID != productID) {
        return std::nullopt;
    }
    if (!serialNumber.empty()) {
        return serialNumber == unit.serialNumber ? std::optional(2) : std::nullopt;
    }
    if (!physicalPath.empty()) {
        return physicalPath == unit.physicalPath ? std::optional(1) : std::nullopt;
    }
    return 0;
}

bool DeviceProfile::namesSameUnitAs(const DeviceProfile& other) const {
    return vendorID == other.vendorID && productID == other.productID &&
           serialNumber == other.serialNumber && physicalPath == other.physicalPath;
}

std::optional<ButtonMapping> DeviceProfile::findMapping(int64_t usagePage, int64_t usageID,
                                                        int64_t value, uint8_t modifiers) const {
    if (const ButtonMapping* mapping = findMappingPointer(usagePage, usageID, value, modifiers)) {
        return *mapping;
    }
    return std::nullopt;
}

} // namespace bindwell
