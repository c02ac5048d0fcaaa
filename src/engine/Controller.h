// Input loop only.
#pragma once

#include "engine/core/RemapCore.h"
#include "engine/ports/HidDevice.h"
#include "model/DeviceIdentity.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace bindwell {

// One physical controller being remapped: the decisions of its profile (with
// its own held outputs and repeat filter, so two controllers never release
// or filter each other's presses) and which of its interfaces are captured.
struct Controller {
    Controller(uint32_t id, DeviceIdentity unit, OutputKeyOf outputKeyOf)
        : id(id), unit(std::make_shared<const DeviceIdentity>(std::move(unit))),
          core(std::move(outputKeyOf)) {}

    [[nodiscard]] bool isPresent() const { return !tracked.empty(); }

    // Names the controller in the records it hands to the main thread.
    uint32_t id;
    // Shared with the records that announce the controller.
    std::shared_ptr<const DeviceIdentity> unit;
    RemapCore core;
    // Every interface followed, and the subset seized; an interface whose
    // seize was refused is followed all the same (the tap filters its copies).
    std::vector<HidDeviceRef> tracked;
    std::vector<HidDeviceRef> seized;
};

} // namespace bindwell
