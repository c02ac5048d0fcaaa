// Main thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace bindwell {

namespace tapevent {
inline constexpr uint32_t systemDefined = 14;
inline constexpr uint32_t otherMouseDown = 25;
inline constexpr uint32_t otherMouseUp = 26;
inline constexpr uint32_t disabledByTimeout = 0xFFFFFFFE;
inline constexpr uint32_t disabledByUserInput = 0xFFFFFFFF;
} // namespace tapevent

// The decoded form of a system-defined event; subtype 8 marks media keys,
// whose data1 holds the key code in bits 16-31 and the key state in bits 8-15.
struct SystemDefinedData {
    int64_t subtype = 0;
    int64_t data1 = 0;
};

struct TapEvent {
    uint32_t type = 0;
    // For system-defined events; absent when the event cannot be decoded.
    std::optional<SystemDefinedData> systemDefined;
    // For other-mouse-button events: 0 is the left button.
    int64_t mouseButtonNumber = 0;
};

enum class TapVerdict { pass, swallow };

// The device whose own events the tap must be able to see. A platform that
// can only filter what it captures limits the tap to this device.
struct EventTapScope {
    int64_t vendorID = 0;
    int64_t productID = 0;
};

// An active filter at the head of the user's event stream for media keys and
// other mouse buttons. It runs the handler on the main event loop and obeys
// its verdict. Destroying the tap removes it.
class EventTap {
public:
    using Handler = std::function<TapVerdict(const TapEvent&)>;

    virtual ~EventTap() = default;
    virtual void setEnabled(bool enabled) = 0;
};

} // namespace bindwell
