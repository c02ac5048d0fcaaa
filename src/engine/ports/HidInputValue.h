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
};

} // namespace bindwell
