#pragma once

#include <cstdint>
#include <optional>

namespace bindwell {

// A usage that reads 0xFFFFFFFF is an array element: its value, not its usage,
// says which button is down, so such a source is told apart by its matchValue.
inline constexpr int64_t kArrayElementUsage = 4294967295;

inline constexpr int64_t kConsumerUsagePage = 0x0C;
inline constexpr int64_t kButtonUsagePage = 0x09;
inline constexpr int64_t kGenericDesktopUsagePage = 0x01;

struct HIDButtonSource {
    int64_t usagePage = 0;
    int64_t usageID = 0;
    std::optional<int64_t> matchValue;

    [[nodiscard]] bool isArrayElement() const { return usageID == kArrayElementUsage; }

    friend bool operator==(const HIDButtonSource&, const HIDButtonSource&) = default;
};

} // namespace bindwell
