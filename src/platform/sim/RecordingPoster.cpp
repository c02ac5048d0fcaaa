#include "platform/sim/RecordingPoster.h"

#include "platform/linux/PostedKeyNames.h"

namespace bindwell::sim {

std::string describePosted(const OutputEvent& event) {
    return "post " + linuxplatform::describeOutputEvent(event);
}

void RecordingPoster::post(std::span<const OutputEvent> events) {
    for (const OutputEvent& event : events) {
        events_.push_back(event);
        if (observer_) {
            observer_(event);
        }
    }
}

std::vector<std::string> RecordingPoster::descriptions() const {
    std::vector<std::string> texts;
    texts.reserve(events_.size());
    for (const OutputEvent& event : events_) {
        texts.push_back(describePosted(event));
    }
    return texts;
}

} // namespace bindwell::sim
