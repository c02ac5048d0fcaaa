// Any thread; plain values.
#pragma once

#include <cstdint>
#include <string>

namespace bindwell {

// A device found by a scan, from which a profile can be built.
// The scan lists one entry per unit: two identical controllers are two entries
// when the system can tell them apart, by serial number or by port.
struct DetectedHIDDevice {
    // "<vendorID>:<productID>", decimal; a twin's adds "/<unitName>".
    std::string id;
    std::string name;
    std::string manufacturer;
    int64_t vendorID = 0;
    int64_t productID = 0;
    std::string transport;
    // Either may be empty; see DeviceIdentity. Initialised here so lists
    // written before units were told apart need not name them.
    std::string serialNumber = {};
    std::string physicalPath = {};
    // Another unit of the same model was found by the same scan, so a profile
    // for this entry has to name the unit rather than the model.
    bool hasTwin = false;
    // The system takes one of its interfaces for a keyboard (a presenter, a
    // pedal, a receiver with a keyboard): a profile for it lets Bindwell read
    // that interface, so the user picks it knowingly.
    bool hasKeyboardKeys = false;

    [[nodiscard]] static std::string makeID(int64_t vendorID, int64_t productID);

    // The name, or "<manufacturer> Device" when the device reports no usable name.
    [[nodiscard]] std::string displayName() const;
    // The serial number, else the physical path: what tells this unit apart.
    [[nodiscard]] const std::string& unitName() const;
    // "Acme · USB · VID:0x1A2B PID:0x3C"; the manufacturer is left out when
    // unknown or already part of the name. A twin adds " · S/N <serial>" (or
    // " · Port <path>") so the user can tell which one is which.
    [[nodiscard]] std::string detailText() const;

    friend bool operator==(const DetectedHIDDevice&, const DetectedHIDDevice&) = default;
};

} // namespace bindwell
