#pragma once

#include "model/KeyModifiers.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace bindwell::linuxplatform {

// The Linux KEY_ code for a portable virtual key code, if the poster can type it.
[[nodiscard]] std::optional<uint16_t> linuxKeyForVirtualKey(int64_t virtualKey);

// The modifier keys a posted key event's flag mask stands for, in press order.
[[nodiscard]] std::vector<uint16_t> modifierKeysForFlags(uint64_t flags);
// The same keys for stored modifier flags, in the same order.
[[nodiscard]] std::vector<uint16_t> modifierKeysFor(const KeyModifiers& modifiers);

// Every KEY_ code the poster may emit: the virtual device enables exactly these.
[[nodiscard]] std::span<const uint16_t> postableKeys();

} // namespace bindwell::linuxplatform
