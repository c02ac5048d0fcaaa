// Any thread; plain values.
#pragma once

#include "engine/ports/EventPoster.h"

#include <cstdint>

namespace bindwell {

// One synthetic event the core asks to be posted: a key of a virtual key code
// with its modifier flags, or a pointer button.
struct OutputEvent {
    enum class Kind : uint8_t { key, mouseButton };
    Kind kind = Kind::key;
    uint16_t keyCode = 0;
    bool keyDown = false;
    uint64_t flags = 0;
    MouseEventType mouseType = MouseEventType::leftMouseDown;
    int button = 0;

    [[nodiscard]] static OutputEvent key(uint16_t keyCode, bool keyDown, uint64_t flags = 0) {
        return {.kind = Kind::key, .keyCode = keyCode, .keyDown = keyDown, .flags = flags};
    }
    [[nodiscard]] static OutputEvent mouse(MouseEventType type, int button) {
        return {.kind = Kind::mouseButton, .mouseType = type, .button = button};
    }

    void postTo(EventPoster& poster) const {
        if (kind == Kind::key) {
            poster.postKey(keyCode, keyDown, flags);
        } else {
            poster.postMouseButton(mouseType, button);
        }
    }

    friend bool operator==(const OutputEvent&, const OutputEvent&) = default;
};

} // namespace bindwell
