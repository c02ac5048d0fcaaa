// Any thread; constant tables.
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
// arrive without the MSC_SCAN that normally names it. Where the kernel makes
// one key of usages on two pages (Volume Up), the consumer usage answers.
[[nodiscard]] std::optional<HidUsage> hidUsageForEvdevKey(uint16_t code);

// The KEY_/BTN_ code the kernel makes of a usage, if it makes one.
[[nodiscard]] std::optional<uint16_t> evdevKeyForHidUsage(HidUsage usage);

// The keys whose presence makes a node a consumer-control interface.
[[nodiscard]] std::span<const uint16_t> consumerControlKeys();

// Every key the kernel makes of a keyboard-page usage: what a keyboard-key
// device may send, and so what has to pass through unchanged.
[[nodiscard]] std::span<const uint16_t> keyboardPageKeys();

} // namespace bindwell::linuxplatform
