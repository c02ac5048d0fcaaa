// Main thread only.
#pragma once

#include "engine/core/OutputEvent.h"
#include "engine/ports/EventPoster.h"

#include <functional>
#include <string>
#include <vector>

namespace bindwell::sim {

// "post key 36 down", "post key 6 up flags 0x100000", "post mouse 1 button 0".
[[nodiscard]] std::string describePosted(const OutputEvent& event);

// Keeps every posted event in order instead of sending it anywhere.
class RecordingPoster final : public EventPoster {
public:
    using Observer = std::function<void(const OutputEvent&)>;

    void prepare() override {}
    void postKey(uint16_t keyCode, bool keyDown, uint64_t flags) override;
    void postMouseButton(MouseEventType type, int button) override;

    [[nodiscard]] const std::vector<OutputEvent>& events() const { return events_; }
    // The events as describePosted() words them.
    [[nodiscard]] std::vector<std::string> descriptions() const;
    void clear() { events_.clear(); }
    // Called for each event as it is posted.
    void setObserver(Observer observer) { observer_ = std::move(observer); }

private:
    void record(const OutputEvent& event);

    std::vector<OutputEvent> events_;
    Observer observer_;
};

} // namespace bindwell::sim
