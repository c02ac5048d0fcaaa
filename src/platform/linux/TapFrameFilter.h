#pragma once

#include "engine/ports/EventTap.h"
#include "platform/linux/EvdevEvent.h"

#include <functional>
#include <map>
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

    // The events to write to the clone now (a complete frame ending in
    // SYN_REPORT), or nothing while the frame is still open.
    [[nodiscard]] std::vector<EvdevEvent> push(const EvdevEvent& event);

private:
    [[nodiscard]] bool swallows(const EvdevEvent& event);

    Verdict verdict_;
    std::vector<EvdevEvent> frame_;
    // Autorepeats follow the verdict their key's press got.
    std::map<uint16_t, TapVerdict> heldVerdicts_;
};

} // namespace bindwell::linuxplatform
