// The input loop's thread (ports/InputLoop.h).
#pragma once

#include "engine/ports/HidInputValue.h"
#include "model/DeviceIdentity.h"

#include <functional>
#include <vector>

namespace bindwell {

// Follows every consumer-control interface (usage page 0x0C, usage 0x01) of
// every device, and the keyboard-key interfaces of the units the caller
// picks; no other keyboard is ever opened. Callbacks run on the input loop,
// never inside open() or close(): interfaces present at open are reported as
// matched once the loop runs. An interface that could not be read is
// reported matched again once it can be captured. After close() no callback
// runs again.
class HidManager {
public:
    struct Callbacks {
        std::function<void(const HidDeviceRef&)> matched;
        std::function<void(const HidDeviceRef&)> removed;
        std::function<void(const HidInputValue&)> inputValue;
        // Whether the keyboard-key interfaces of a unit may be read; empty
        // reads none.
        std::function<bool(const DeviceIdentity&)> readsKeyboardOf = {};
    };

    virtual ~HidManager() = default;

    // Starts following interfaces. Empty callbacks are simply not called.
    virtual void open(Callbacks callbacks) = 0;
    virtual void close() = 0;
};

} // namespace bindwell
