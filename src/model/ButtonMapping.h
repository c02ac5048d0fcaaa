// Any thread; plain values.
#pragma once

#include "model/HIDButtonSource.h"
#include "model/RemapAction.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bindwell {

// What a button does instead while a matching application has the focus.
// `match` is a case-insensitive glob tried against the application's id,
// then its WM_CLASS (AppMatch.h).
struct AppOverride {
    std::string match;
    RemapAction action;
};

// Which way of pressing a button chose what it does: a plain press, a press
// held past the profile's hold time, or a second press soon after a tap.
enum class Gesture : uint8_t { tap, hold, doubleTap };

// One physical button of a profile and what it does. Mappings are identified
// by id; they have no equality of their own. The first override whose match
// fits the focused application wins; without one, `action` applies.
struct ButtonMapping {
    std::string id;
    HIDButtonSource source;
    RemapAction action;
    std::string label;
    bool isRemappable = true;
    std::vector<AppOverride> appOverrides = {};
    // Optional further actions of the same button. Without either, a press
    // does exactly what `action` says at once; with one, the engine waits to
    // tell the gestures apart (DeviceProfile's two times).
    std::optional<RemapAction> holdAction = std::nullopt;
    std::optional<RemapAction> doubleTapAction = std::nullopt;

    [[nodiscard]] bool hasGestures() const { return holdAction || doubleTapAction; }
    // The hold or double-tap action's place; null for the tap, which `action` holds.
    [[nodiscard]] std::optional<RemapAction>* gestureAction(Gesture gesture);
};

} // namespace bindwell
