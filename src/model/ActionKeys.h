// Any thread; plain values.
#pragma once

#include "model/KeyModifiers.h"
#include "model/RemapAction.h"

#include <cstdint>
#include <optional>

namespace bindwell {

// A key an action types, with the modifiers held around it.
struct KeyCombination {
    int64_t keyCode = 0;
    KeyModifiers modifiers;

    friend bool operator==(const KeyCombination&, const KeyCombination&) = default;
};

// The key behind a key-typing action: a preset's, a recorded shortcut's, or the
// fixed key of Fn, Enter, Escape, Space, Tab and undo. None for the clicks,
// passthrough and blocking.
[[nodiscard]] std::optional<KeyCombination> actionKey(const RemapAction& action);

} // namespace bindwell
