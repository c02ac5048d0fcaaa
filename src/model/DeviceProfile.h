// Any thread; plain values.
#pragma once

#include "model/ButtonMapping.h"
#include "model/DeviceIdentity.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bindwell {

// The buttons of one controller and what each does. A profile is for every
// unit of a model (vendor and product ID) unless it names one unit, by its
// serial number or, for units that report none, by its physical path; that
// is how two identical controllers get different profiles. Mapping order
// matters: the first mapping for a source wins a lookup.
struct DeviceProfile {
    std::string id;
    std::string deviceName;
    int64_t vendorID = 0;
    int64_t productID = 0;
    // Empty: any unit. The serial number wins when both are set.
    std::string serialNumber;
    std::string physicalPath;
    std::vector<ButtonMapping> buttonMappings;
    bool isActive = false;
    // How long a press must last to be a hold, and how soon a second press
    // must follow a tap to be a double tap; unset means the default. Set
    // only when the user chose a time, so that older files stay as they are.
    std::optional<int64_t> holdMilliseconds = std::nullopt;
    std::optional<int64_t> doubleTapMilliseconds = std::nullopt;

    static constexpr int64_t kDefaultHoldMilliseconds = 400;
    static constexpr int64_t kDefaultDoubleTapMilliseconds = 250;
    static constexpr int64_t kShortestGestureMilliseconds = 50;
    static constexpr int64_t kLongestGestureMilliseconds = 2000;

    // The time in force for a hold (asked for a tap, the same: a tap is what
    // ends before it) or a double tap.
    [[nodiscard]] int64_t gestureMilliseconds(Gesture gesture) const;

    // How closely the profile names the unit: nothing when it is for another
    // model or unit, else 0 for the whole model, 1 for the unit's path, 2 for
    // its serial number. The closest active profile remaps a unit.
    [[nodiscard]] std::optional<int> matchRank(const DeviceIdentity& unit) const;
    // Whether both profiles are for the same controller (model and unit
    // alike), so that only one of them can be active.
    [[nodiscard]] bool namesSameUnitAs(const DeviceProfile& other) const;

    // The first mapping whose source matches the reported usage. A concrete
    // usage matches whatever value it reports (press and release alike); an
    // array-element source matches only its own matchValue. `modifiers` are
    // those the device held with a keyboard-page key (HIDButtonSource).
    [[nodiscard]] std::optional<ButtonMapping>
    findMapping(int64_t usagePage, int64_t usageID, int64_t value, uint8_t modifiers = 0) const;
    // Same lookup without the copy, for the engine's per-event path.
    [[nodiscard]] const ButtonMapping* findMappingPointer(int64_t usagePage, int64_t usageID,
                                                          int64_t value,
                                                          uint8_t modifiers = 0) const;
};

} // namespace bindwell
