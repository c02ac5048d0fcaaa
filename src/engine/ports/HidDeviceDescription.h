// Any thread; plain values.
#pragma once

#include "model/DeviceIdentity.h"

#include <cstdint>
#include <string>

namespace bindwell {

// What an interface is to the engine. A consumer-control interface (usage
// page 0x0C, usage 0x01) is read whenever remapping runs, since only the
// active profiles' devices are acted on. A keyboard-key interface is one the
// system takes for a keyboard (presenters, pedals and macro pads declare a
// full one): it is read only for a device an active profile names, because
// reading it means reading whatever is typed on it.
enum class HidInterfaceKind : uint8_t { consumerControl, keyboardKeys };

// One interface as its platform describes it, read without opening it. A
// text the device does not report reads "Unknown"; an ID it does not report, 0.
struct HidDeviceDescription {
    std::string product = "Unknown";
    std::string manufacturer = "Unknown";
    // "USB", "Bluetooth" or "Unknown".
    std::string transport = "Unknown";
    int64_t vendorID = 0;
    int64_t productID = 0;
    // Tell two units of one model apart; either may be empty.
    std::string serialNumber = {};
    std::string physicalPath = {};
    HidInterfaceKind kind = HidInterfaceKind::consumerControl;

    [[nodiscard]] bool hasKeyboardKeys() const { return kind == HidInterfaceKind::keyboardKeys; }
    // The interface's model and unit.
    [[nodiscard]] DeviceIdentity unit() const {
        return {.vendorID = vendorID,
                .productID = productID,
                .serialNumber = serialNumber,
                .physicalPath = physicalPath};
    }

    friend bool operator==(const HidDeviceDescription&, const HidDeviceDescription&) = default;
};

} // namespace bindwell
