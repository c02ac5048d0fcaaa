// The input loop's thread (ports/InputLoop.h); a scan uses its own on the main thread.
#pragma once

#include <cstdint>

namespace bindwell {

// Modifier flag bits carried on posted key events.
namespace eventflag {
inline constexpr uint64_t command = 0x100000;
inline constexpr uint64_t shift = 0x20000;
inline constexpr uint64_t option = 0x80000;
inline constexpr uint64_t control = 0x40000;
} // namespace eventflag

enum class MouseEventType : uint32_t {
    leftMouseDown = 1,
    leftMouseUp = 2,
    rightMouseDown = 3,
    rightMouseUp = 4,
};

// Posts synthetic input into the user's session as if typed or clicked.
// Failures are the platform's to log; posting reports nothing to the caller.
class EventPoster {
public:
    virtual ~EventPoster() = default;

    // Remapping is about to start: a platform whose synthetic device takes a
    // moment to be noticed by the desktop creates it here, not at the first press.
    virtual void prepare() = 0;

    // One key event of a virtual key code. flags == 0 means the event's
    // modifier flags are left untouched.
    virtual void postKey(uint16_t keyCode, bool keyDown, uint64_t flags) = 0;

    // One mouse button event at the current cursor position; button 0 is the
    // left button, 1 the right one.
    virtual void postMouseButton(MouseEventType type, int button) = 0;
};

} // namespace bindwell
