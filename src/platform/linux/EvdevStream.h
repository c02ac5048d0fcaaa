// The input thread only; one per node.
#pragma once

#include "platform/linux/EvdevEvent.h"

#include <bitset>
#include <functional>
#include <linux/input.h>
#include <span>

namespace bindwell::linuxplatform {

// The events a node's reader acts on, from the raw events read off it. When
// the kernel's buffer overflowed it reports SYN_DROPPED and the events up to
// the next SYN_REPORT are incomplete: those are dropped, the kernel is asked
// which keys are down now, and the difference to what was passed on so far
// is passed on as releases and presses, then a SYN_REPORT. So after an
// overflow no key is left down and none is pressed twice.
class EvdevStream final {
public:
    using KeyState = std::bitset<KEY_CNT>;
    // Fills in which keys are down now (EVIOCGKEY); false when it cannot tell.
    using QueryKeys = std::function<bool(KeyState& down)>;
    // Takes one event; false stops the feed.
    using Sink = std::function<bool(const EvdevEvent& event)>;

    explicit EvdevStream(QueryKeys queryKeys) : queryKeys_(std::move(queryKeys)) {}

    // Passes on the events of `raw` in order; false when the sink stopped it.
    [[nodiscard]] bool feed(std::span<const input_event> raw, const Sink& sink);
    // When the kernel stamped the event being passed on, in seconds of its
    // clock; 0 for the events a repair makes up.
    [[nodiscard]] double eventTime() const { return eventTime_; }

private:
    [[nodiscard]] bool resync(const Sink& sink);
    [[nodiscard]] bool pass(const EvdevEvent& event, const Sink& sink);

    QueryKeys queryKeys_;
    KeyState down_;
    bool dropping_ = false;
    double eventTime_ = 0;
};

} // namespace bindwell::linuxplatform
