// Any thread; plain values.
#pragma once

#include "model/KeyModifiers.h"

#include <cstdint>

namespace bindwell {

// One synthetic event the core asks to be posted: a key, named by its Linux
// input event code (KEY_C is 46), with the modifiers held around it, or the
// left or right pointer button. Linux codes are the program's output terms;
// the portable key codes of the file format are translated once, when a
// profile is taken for remapping.
struct OutputEvent {
    enum class Kind : uint8_t { key, pointerButton };
    enum class Button : uint8_t { left, right };

    Kind kind = Kind::key;
    bool pressed = false;
    Button button = Button::left;
    uint16_t key = 0;
    KeyModifiers modifiers;

    [[nodiscard]] static OutputEvent keyEvent(uint16_t key, const KeyModifiers& modifiers,
                                              bool pressed) {
        OutputEvent event;
        event.pressed = pressed;
        event.key = key;
        event.modifiers = modifiers;
        return event;
    }
    [[nodiscard]] static OutputEvent buttonEvent(Button button, bool pressed) {
        OutputEvent event;
        event.kind = Kind::pointerButton;
        event.pressed = pressed;
        event.button = button;
        return event;
    }
    // The same key or button, going the other way.
    [[nodiscard]] OutputEvent withPressed(bool isPressed) const {
        OutputEvent event = *this;
        event.pressed = isPressed;
        return event;
    }

    friend bool operator==(const OutputEvent&, const OutputEvent&) = default;
};

} // namespace bindwell
