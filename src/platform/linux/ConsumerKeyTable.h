// Any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace bindwell::linuxplatform {

// A HID usage as the engine sees it.
struct HidUsage {
    uint32_t page = 0;
    uint32_t usage = 0;

    friend bool operator==(const HidUsage&, const HidUsage&) = default;
};

// The HID usage the kernel turned into this KEY_/BTN_ code, for events that
// arrive without the MSC_SCAN that normally names it.
[[nodiscard]] std::optional<HidUsage> hidUsageForEvdevKey(uint16_t code);

// The keys whose presence makes a node a consumer-control interface.
[[nodiscard]] std::span<const uint16_t> consumerControlKeys();

} // namespace bindwell::linuxplatform
