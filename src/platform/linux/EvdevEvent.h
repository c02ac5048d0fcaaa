// Any thread; no state of its own.
#pragma once

#include <cstdint>

namespace bindwell::linuxplatform {

// The part of a struct input_event the backend acts on.
struct EvdevEvent {
    uint16_t type = 0;
    uint16_t code = 0;
    int32_t value = 0;

    friend bool operator==(const EvdevEvent&, const EvdevEvent&) = default;
};

} // namespace bindwell::linuxplatform
