// Any thread; plain values.
#pragma once

#include "engine/core/OutputEvent.h"
#include "model/ActionKeys.h"
#include "model/RemapAction.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace bindwell {

// The platform's key for a stored combination's key, or nothing when it has none.
using OutputKeyOf = std::function<std::optional<uint16_t>(const KeyCombination& combination)>;

// What a mapping's action posts, worked out once when a profile is taken so
// that a press only copies events.
struct CompiledAction {
    enum class Output : uint8_t {
        nothing,       // passthrough, blocked
        tap,           // press and release together when the button goes down
        hold,          // down with the button; an edge that changes nothing is ignored
        followEdges,   // down and up with every edge of the button (Fn)
        keyOutOfRange, // a stored key code that cannot be a key at all
        unpostableKey, // a key code the platform cannot type
    };

    Output output = Output::nothing;
    // The press; the release is the same event going up.
    OutputEvent press;
    // The stored key code, for the two error cases.
    int64_t storedKey = 0;
    uint32_t dedupeSlot = 0;
    // The action it was made from (the profile keeps it alive).
    const RemapAction* source = nullptr;
};

[[nodiscard]] CompiledAction compileAction(const RemapAction& action, const OutputKeyOf& keyOf);

} // namespace bindwell
