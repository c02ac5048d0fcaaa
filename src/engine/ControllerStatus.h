// Main thread only; plain values.
#pragma once

#include "model/DeviceIdentity.h"
#include "model/DeviceProfile.h"

#include <cstdint>
#include <memory>
#include <string>

namespace bindwell {

// A controller that is present while remapping runs, as the menu shows it.
struct ControllerStatus {
    uint32_t id = 0;
    std::shared_ptr<const DeviceProfile> profile;
    std::shared_ptr<const DeviceIdentity> unit;
    // Empty until one of its buttons is pressed.
    std::string lastEvent;
};

} // namespace bindwell
