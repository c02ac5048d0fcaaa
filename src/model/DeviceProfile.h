// Any thread; plain values.
#pragma once

#include "model/ButtonMapping.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bindwell {

// The buttons of one device (by vendor and product ID) and what each does.
// Mapping order matters: the first mapping for a source wins a lookup.
struct DeviceProfile {
    std::string id;
    std::string deviceName;
    int64_t vendorID = 0;
    int64_t productID = 0;
    std::vector<ButtonMapping> buttonMappings;
    bool isActive = false;

    // The first mapping whose source matches the reported usage. A concrete
    // usage matches whatever value it reports (press and release alike); an
    // array-element source matches only its own matchValue.
    [[nodiscard]] std::optional<ButtonMapping> findMapping(int64_t usagePage, int64_t usageID,
                                                           int64_t value) const;
    // Same lookup without the copy, for the engine's per-event path.
    [[nodiscard]] const ButtonMapping* findMappingPointer(int64_t usagePage, int64_t usageID,
                                                          int64_t value) const;
};

} // namespace bindwell
