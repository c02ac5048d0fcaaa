#include "platform/sim/RecordingPoster.h"

#include "support/Hex.h"

namespace bindwell::sim {

std::string PostedEvent::describe() const {
    if (kind == Kind::mouse) {
        return "post mouse " + std::to_string(static_cast<uint32_t>(mouseType)) + " button " +
               std::to_string(button);
    }
    std::string text = "post key " + std::to_string(keyCode) + (keyDown ? " down" : " up");
    if (flags != 0) {
        text += " flags 0x" + hexLower(static_cast<int64_t>(flags));
    }
    return text;
}

void RecordingPoster::postKey(uint16_t keyCode, bool keyDown, uint64_t flags) {
    record(
        {.kind = PostedEvent::Kind::key, .keyCode = keyCode, .keyDown = keyDown, .flags = flags});
}

void RecordingPoster::postMouseButton(MouseEventType type, int button) {
    record({.kind = PostedEvent::Kind::mouse, .mouseType = type, .button = button});
}

std::vector<std::string> RecordingPoster::descriptions() const {
    std::vector<std::string> texts;
    texts.reserve(events_.size());
    for (const PostedEvent& event : events_) {
        texts.push_back(event.describe());
    }
    return texts;
}

void RecordingPoster::record(const PostedEvent& event) {
    events_.push_back(event);
    if (observer_) {
        observer_(event);
    }
}

} // namespace bindwell::sim
