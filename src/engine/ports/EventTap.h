// The input loop's thread (ports/InputLoop.h).
#pragma once

#include <cstdint>
#include <functional>
#include <variant>

namespace bindwell {

// A media key of the user's event stream, named by its consumer usage
// (0xE9 volume up, 0xCD play/pause, ...).
struct MediaKey {
    uint32_t usage = 0;
    bool pressed = false;
};

// A pointer button beyond left and right, numbered as the button usage page
// counts them: 3 is the middle button, 4 and 5 the side buttons.
struct ExtraButton {
    int number = 0;
    bool pressed = false;
};

using TapEvent = std::variant<MediaKey, ExtraButton>;

enum class TapVerdict { pass, swallow };

// The device whose own events the tap must be able to see. A platform that
// can only filter what it captures limits the tap to this device.
struct EventTapScope {
    int64_t vendorID = 0;
    int64_t productID = 0;
};

// An active filter at the head of the user's event stream for media keys and
// extra pointer buttons. It runs the handler where the remapping runs and
// obeys its verdict. Destroying the tap removes it.
class EventTap {
public:
    using Handler = std::function<TapVerdict(const TapEvent&)>;

    virtual ~EventTap() = default;
    virtual void setEnabled(bool enabled) = 0;
};

} // namespace bindwell
