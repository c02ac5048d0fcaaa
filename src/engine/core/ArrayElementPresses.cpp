#include "engine/core/ArrayElementPresses.h"

#include <algorithm>

namespace bindwell {

void ArrayElementPresses::remember(const HidDevice* device, uint32_t usagePage,
                                   const ButtonMapping& mapping) {
    const bool known = std::any_of(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return entry.device == device && entry.usagePage == usagePage &&
               entry.mapping.id == mapping.id;
    });
    if (!known) {
        entries_.push_back({device, usagePage, mapping});
    }
}

std::vector<ButtonMapping> ArrayElementPresses::takeAll(const HidDevice* device,
                                                        uint32_t usagePage) {
    const auto onThatArray = [&](const Entry& entry) {
        return entry.device == device && entry.usagePage == usagePage;
    };
    std::vector<ButtonMapping> taken;
    for (const Entry& entry : entries_) {
        if (onThatArray(entry)) {
            taken.push_back(entry.mapping);
        }
    }
    std::erase_if(entries_, onThatArray);
    return taken;
}

void ArrayElementPresses::forgetDevice(const HidDevice* device) {
    std::erase_if(entries_, [&](const Entry& entry) { return entry.device == device; });
}

} // namespace bindwell
