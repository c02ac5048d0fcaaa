// The device picker's scan. It asks the platform for the interfaces present,
// which it reads without opening them, so it never disturbs a running engine
// and runs on the main thread while the input thread reads. Built-in parts and
// audio gear also expose consumer-control interfaces; they are filtered out by
// name so the picker lists only plausible controllers, and a device without a
// vendor ID can never be the target of a profile, so it is left out as well.
// A unit exposes several interfaces (a consumer node, a mouse node, ...) and
// is listed once; two units of one model are listed apart when they report
// different serial numbers or, lacking those, hang off different ports. A
// unit with a keyboard-key interface (a presenter, a pedal, a receiver with a
// keyboard) is marked, and such units come after the remotes, so the picker
// can set them apart: picking one means letting Bindwell read its keys.
#include "engine/HIDInterceptor.h"
#include "support/Text.h"

#include <QString>
#include <algorithm>
#include <array>
#include <string_view>

namespace bindwell {
namespace {

DetectedHIDDevice readDevice(const HidDeviceDescription& description) {
    return {.id = DetectedHIDDevice::makeID(description.vendorID, description.productID),
            .name = description.product,
            .manufacturer = description.manufacturer,
            .vendorID = description.vendorID,
            .productID = description.productID,
            .transport = description.transport,
            .serialNumber = description.serialNumber,
            .physicalPath = description.physicalPath,
            .hasKeyboardKeys = description.hasKeyboardKeys()};
}

bool isSameUnit(const DetectedHIDDevice& a, const DetectedHIDDevice& b) {
    if (a.vendorID != b.vendorID || a.productID != b.productID) {
        return false;
    }
    // An interface that reports no serial number is matched by its port.
    if (!a.serialNumber.empty() && !b.serialNumber.empty()) {
        return a.serialNumber == b.serialNumber;
    }
    return a.physicalPath == b.physicalPath;
}

// Marks the units whose model is listed more than once and makes their ids distinct.
void markTwins(std::vector<DetectedHIDDevice>& devices) {
    for (DetectedHIDDevice& device : devices) {
        device.hasTwin =
            std::count_if(devices.begin(), devices.end(), [&](const auto& other) {
                return other.vendorID == device.vendorID && other.productID == device.productID;
            }) > 1;
        if (device.hasTwin) {
            device.id.append("/").append(device.unitName());
        }
    }
}

bool isFilteredOut(const DetectedHIDDevice& device) {
    const std::string name = toLowerAscii(device.name);
    if (contains(name, "apple internal") || contains(name, "touch bar") || device.vendorID == 0) {
        return true;
    }
    constexpr std::array<std::string_view, 3> kAudioWords{"headset", "airpod", "headphone"};
    return std::any_of(kAudioWords.begin(), kAudioWords.end(),
                       [&](std::string_view word) { return contains(name, word); });
}

struct SortEntry {
    bool hasKeyboardKeys;
    bool isApple;
    // UTF-8 of the canonically composed name: byte order is code-point order.
    std::string nameKey;
    DetectedHIDDevice device;
};

std::vector<DetectedHIDDevice> sortForPicker(std::vector<DetectedHIDDevice> devices) {
    std::vector<SortEntry> entries;
    entries.reserve(devices.size());
    for (DetectedHIDDevice& device : devices) {
        const bool isApple = contains(toLowerAscii(device.manufacturer), "apple");
        std::string key = QString::fromStdString(device.name)
                              .normalized(QString::NormalizationForm_C)
                              .toStdString();
        entries.push_back({device.hasKeyboardKeys, isApple, std::move(key), std::move(device)});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const SortEntry& a, const SortEntry& b) {
        if (a.hasKeyboardKeys != b.hasKeyboardKeys) {
            return !a.hasKeyboardKeys;
        }
        if (a.isApple != b.isApple) {
            return !a.isApple;
        }
        return a.nameKey < b.nameKey;
    });
    std::vector<DetectedHIDDevice> sorted;
    sorted.reserve(entries.size());
    for (SortEntry& entry : entries) {
        sorted.push_back(std::move(entry.device));
    }
    return sorted;
}

} // namespace

std::vector<DetectedHIDDevice> HIDInterceptor::scanDevices(Platform& platform) {
    std::vector<DetectedHIDDevice> found;
    for (const HidDeviceRef& device : platform.scanInterfaces()) {
        DetectedHIDDevice detected = readDevice(device->description());
        const auto listed = std::find_if(found.begin(), found.end(), [&](const auto& unit) {
            return isSameUnit(unit, detected);
        });
        if (listed != found.end()) {
            listed->hasKeyboardKeys = listed->hasKeyboardKeys || detected.hasKeyboardKeys;
        } else if (!isFilteredOut(detected)) {
            found.push_back(std::move(detected));
        }
    }
    markTwins(found);
    return sortForPicker(std::move(found));
}

} // namespace bindwell
