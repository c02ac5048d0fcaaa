// Any thread; plain values.
#pragma once

#include "model/HidUsages.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace bindwell {

// An array-element source is told apart by its matchValue. A keyboard-page
// source may name a combination the device itself sends (a pedal's Ctrl+Z):
// the modifier keys the device holds down with the key, as a set of the
// usages from Left Control (bit 0) to Right GUI (bit 7), the boot keyboard's
// modifier byte. It matches only a press made with exactly those modifiers;
// none, only a press made with none.
struct HIDButtonSource {
    int64_t usagePage = 0;
    int64_t usageID = 0;
    std::optional<int64_t> matchValue = std::nullopt;
    uint8_t modifiers = 0;

    [[nodiscard]] bool isArrayElement() const { return usageID == kArrayElementUsage; }

    friend bool operator==(const HIDButtonSource&, const HIDButtonSource&) = default;
};

// The bit a modifier key's keyboard usage has in HIDButtonSource::modifiers;
// nothing for any other usage.
[[nodiscard]] constexpr std::optional<uint8_t> modifierBit(int64_t usage) {
    if (usage < hid::kLeftControl || usage > hid::kRightGui) {
        return std::nullopt;
    }
    return static_cast<uint8_t>(1U << (usage - hid::kLeftControl));
}

// The keyboard usages of a modifier set, Left Control first.
[[nodiscard]] inline std::vector<int64_t> modifierUsages(uint8_t modifiers) {
    std::vector<int64_t> usages;
    for (uint32_t usage = hid::kLeftControl; usage <= hid::kRightGui; ++usage) {
        if ((modifiers & *modifierBit(usage)) != 0) {
            usages.push_back(usage);
        }
    }
    return usages;
}

} // namespace bindwell
