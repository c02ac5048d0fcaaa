// Any thread; plain values.
#pragma once

#include "model/KeyModifiers.h"

#include <cstdint>
#include <string>

namespace bindwell {

// A key press with modifiers. displayName is stored text ("Ctrl+C Copy"); it
// is never derived from keyCode and modifiers when read back, so a label from
// an older file or another platform shows as it was written, and two
// keystrokes that differ only in their name are different actions.
struct KeystrokeAction {
    int64_t keyCode = 0; // virtual key code of the portable key table
    KeyModifiers modifiers;
    std::string displayName;

    friend bool operator==(const KeystrokeAction&, const KeystrokeAction&) = default;
};

} // namespace bindwell
