// Any thread; constant tables.
#pragma once

#include "model/ActionKeys.h"
#include "model/KeyModifiers.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace bindwell::linuxplatform {

// The Linux KEY_ code that types a stored combination's key, if the poster can.
[[nodiscard]] std::optional<uint16_t> linuxKeyFor(const KeyCombination& combination);

// The modifier keys stored modifier flags stand for, in press order.
struct ModifierKeys {
    std::array<uint16_t, 4> keys{};
    uint8_t count = 0;

    [[nodiscard]] const uint16_t* begin() const { return keys.data(); }
    [[nodiscard]] const uint16_t* end() const { return keys.data() + count; }
};
[[nodiscard]] ModifierKeys modifierKeysFor(const KeyModifiers& modifiers);

// Every KEY_ code the poster may emit: the virtual device enables exactly these.
[[nodiscard]] std::span<const uint16_t> postableKeys();

} // namespace bindwell::linuxplatform
