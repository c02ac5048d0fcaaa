// Any thread; one owner at a time.
#pragma once

#include "engine/ports/HidDevice.h"
#include "model/ButtonMapping.h"

#include <cstdint>
#include <vector>

namespace bindwell {

// An array field reports which button is down through its value and reports 0
// once nothing is down, so its release cannot be looked up like a button's.
// This remembers the array-element mappings pressed on each interface and usage
// page until the array empties, so their actions can be released then (a held
// click or a held Fn key would otherwise never be let go). Mappings are
// referenced in the profile being remapped; the owner forgets them all before
// it changes profile.
class ArrayElementPresses final {
public:
    // Remembers a press; pressing a mapping that is already down adds nothing.
    void remember(const HidDevice* device, uint32_t usagePage, const ButtonMapping& mapping);
    // Moves the mappings pressed on that array since it last emptied into
    // `taken` (cleared first), in press order, and forgets them.
    void takeAll(const HidDevice* device, uint32_t usagePage,
                 std::vector<const ButtonMapping*>& taken);
    void forgetDevice(const HidDevice* device);
    void clear() { entries_.clear(); }

private:
    struct Entry {
        const HidDevice* device;
        uint32_t usagePage;
        const ButtonMapping* mapping;
    };
    std::vector<Entry> entries_;
};

} // namespace bindwell
