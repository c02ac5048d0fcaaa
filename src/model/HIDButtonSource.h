#pragma once

#include "model/HashCombine.h"
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

template <> struct std::hash<bindwell::HIDButtonSource> {
    std::size_t operator()(const bindwell::HIDButtonSource& source) const noexcept {
        std::size_t seed = 0;
        bindwell::hashCombine(seed, source.usagePage);
        bindwell::hashCombine(seed, source.usageID);
        bindwell::hashCombine(seed, source.matchValue);
        return seed;
    }
};
