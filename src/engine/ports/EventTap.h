// The input loop's thread (ports/InputLoop.h).
#pragma once

#include "model/DeviceIdentity.h"

#include <cstdint>
#include <functional>
#include <variant>
#include <vector>

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

struct DeviceModelID {
    int64_t vendorID = 0;
    int64_t productID = 0;

    friend bool operator==(const DeviceModelID&, const DeviceModelID&) = default;
};

// The devices whose own events the tap must be able to see. A platform that
// can only filter what it captures limits the tap to these models.
struct EventTapScope {
    std::vector<DeviceModelID> models;
};

// An active filter at the head of the user's event stream for media keys and
// extra pointer buttons. It runs the handler where the remapping runs and
// obeys its verdict. Destroying the tap removes it.
class EventTap {
public:
    // `source` is the unit the event came from, or null when the platform
    // cannot tell; it lives for the call only.
    using Handler = std::function<TapVerdict(const TapEvent&, const DeviceIdentity* source)>;

    virtual ~EventTap() = default;
    virtual void setEnabled(bool enabled) = 0;
};

} // namespace bindwell
