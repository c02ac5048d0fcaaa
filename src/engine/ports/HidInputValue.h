// The input loop's thread (ports/InputLoop.h); plain values.
#pragma once

#include "engine/ports/HidDevice.h"

#include <cstdint>

namespace bindwell {

// One value change of one element of a matched interface.
struct HidInputValue {
    HidDeviceRef device;
    uint32_t usagePage = 0;
    uint32_t usage = 0;
    int64_t value = 0;
    // When the device reported it, in the Clock's seconds, or 0 when the
    // platform cannot tell. The repeat filter measures gaps between presses
    // with it, so a stall before the value is handled shortens no gap.
    double timestamp = 0;
    // The system's key for it (a Linux key code), 0 when it has none: what
    // goes out when a keyboard-key device's key passes through unchanged.
    uint16_t key = 0;
};

} // namespace bindwell
