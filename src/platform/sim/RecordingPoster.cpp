#include "platform/sim/RecordingPoster.h"

#include "support/Hex.h"

namespace bindwell::sim {

std::string describePosted(const OutputEvent& event) {
    if (event.kind == OutputEvent::Kind::mouseButton) {
        return "post mouse " + std::to_string(static_cast<uint32_t>(event.mouseType)) + " button " +
               std::to_string(event.button);
    }
    std::string text =
        "post key " + std::to_string(event.keyCode) + (event.keyDown ? " down" : " up");
    if (event.flags != 0) {
        text += " flags 0x" + hexLower(static_cast<int64_t>(event.flags));
    }
    return text;
}

void RecordingPoster::postKey(uint16_t keyCode, bool keyDown, uint64_t flags) {
    record(OutputEvent::key(keyCode, keyDown, flags));
}

void RecordingPoster::postMouseButton(MouseEventType type, int button) {
    record(OutputEvent::mouse(type, button));
}

std::vector<std::string> RecordingPoster::descriptions() const {
    std::vector<std::string> texts;
    texts.reserve(events_.size());
    for (const OutputEvent& event : events_) {
        texts.push_back(describePosted(event));
    }
    return texts;
}

void RecordingPoster::record(const OutputEvent& event) {
    events_.push_back(event);
    if (observer_) {
        observer_(event);
    }
}

} // namespace bindwell::sim
