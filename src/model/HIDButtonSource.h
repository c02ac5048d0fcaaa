// Any thread; plain values.
#pragma once

#include "model/HidUsages.h"

#include <cstdint>
#include <optional>

namespace bindwell {

// An array-element source is told apart by its matchValue.
struct HIDButtonSource {
    int64_t usagePage = 0;
    int64_t usageID = 0;
    std::optional<int64_t> matchValue;

    [[nodiscard]] bool isArrayElement() const { return usageID == kArrayElementUsage; }

    friend bool operator==(const HIDButtonSource&, const HIDButtonSource&) = default;
};

} // namespace bindwell
