#include "platform/linux/EvdevStream.h"

namespace bindwell::linuxplatform {

bool EvdevStream::feed(std::span<const input_event> raw, const Sink& sink) {
    for (const input_event& event : raw) {
        if (event.type == EV_SYN && event.code == SYN_DROPPED) {
            dropping_ = true;
            continue;
        }
        if (dropping_) {
            if (event.type == EV_SYN && event.code == SYN_REPORT) {
                dropping_ = false;
                if (!resync(sink)) {
                    return false;
                }
            }
            continue;
        }
        eventTime_ = static_cast<double>(event.input_event_sec) +
                     static_cast<double>(event.input_event_usec) / 1e6;
        if (!pass({event.type, event.code, event.value}, sink)) {
            return false;
        }
    }
    return true;
}

bool EvdevStream::pass(const EvdevEvent& event, const Sink& sink) {
    if (event.type == EV_KEY && event.code < KEY_CNT && event.value != 2) {
        down_.set(event.code, event.value != 0);
    }
    return sink(event);
}

bool EvdevStream::resync(const Sink& sink) {
    eventTime_ = 0;
    KeyState now;
    if (!queryKeys_ || !queryKeys_(now)) {
        // Not knowing, let go of everything rather than leave a key down.
        now.reset();
    }
    const KeyState changed = down_ ^ now;
    if (changed.none()) {
        return true;
    }
    // Releases first, so a key that moved to another never overlaps it.
    for (const bool pressed : {false, true}) {
        for (size_t code = 0; code < changed.size(); ++code) {
            if (changed.test(code) && now.test(code) == pressed) {
                const EvdevEvent key{EV_KEY, static_cast<uint16_t>(code), pressed ? 1 : 0};
                if (!pass(key, sink)) {
                    return false;
                }
            }
        }
    }
    return pass({EV_SYN, SYN_REPORT, 0}, sink);
}

} // namespace bindwell::linuxplatform
