// The input thread only; one per tapped node.
#pragma once

#include "engine/ports/EventTap.h"
#include "platform/linux/EvdevEvent.h"

#include <bitset>
#include <functional>
#include <linux/input-event-codes.h>
#include <vector>

namespace bindwell::linuxplatform {

// Decides, frame by frame, which events of a grabbed node reach its clone.
// Events are held until the frame's SYN_REPORT so that a swallowed key takes
// its MSC_SCAN with it and a frame left empty produces no SYN_REPORT at all:
// the clone's stream stays a well-formed sequence of frames.
class TapFrameFilter final {
public:
    using Verdict = std::function<TapVerdict(const TapEvent&)>;

    explicit TapFrameFilter(Verdict verdict);

    // Takes one event; a frame it completes (ending in SYN_REPORT) is
    // appended to `out`, so a whole read's frames can go out in one write.
    void push(const EvdevEvent& event, std::vector<EvdevEvent>& out);

private:
    [[nodiscard]] bool swallows(const EvdevEvent& event);

    Verdict verdict_;
    std::vector<EvdevEvent> frame_;
    // Keys whose press was swallowed: their autorepeats and release go too.
    std::bitset<KEY_CNT> swallowedDown_;
};

} // namespace bindwell::linuxplatform
