#include "engine/core/ArrayElementPresses.h"

#include <algorithm>

namespace bindwell {

void ArrayElementPresses::remember(const HidDevice* device, uint32_t usagePage,
                                   const ButtonMapping& mapping) {
    const bool known = std::any_of(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return entry.device == device && entry.usagePage == usagePage && entry.mapping == &mapping;
    });
    if (!known) {
        entries_.push_back({device, usagePage, &mapping});
    }
}

void ArrayElementPresses::takeAll(const HidDevice* device, uint32_t usagePage,
                                  std::vector<const ButtonMapping*>& taken) {
    const auto onThatArray = [&](const Entry& entry) {
        return entry.device == device && entry.usagePage == usagePage;
    };
    taken.clear();
    for (const Entry& entry : entries_) {
        if (onThatArray(entry)) {
            taken.push_back(entry.mapping);
        }
    }
    std::erase_if(entries_, onThatArray);
}

void ArrayElementPresses::forgetDevice(const HidDevice* device) {
    std::erase_if(entries_, [&](const Entry& entry) { return entry.device == device; });
}

} // namespace bindwell
