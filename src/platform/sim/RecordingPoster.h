// The input loop's thread (the caller's, on the simulated platform).
#pragma once

#include "engine/ports/EventPoster.h"

#include <functional>
#include <string>
#include <vector>

namespace bindwell::sim {

// "post KEY_LEFTCTRL+KEY_C down", "post BTN_LEFT up".
[[nodiscard]] std::string describePosted(const OutputEvent& event);

// Keeps every posted event in order instead of sending it anywhere.
class RecordingPoster final : public EventPoster {
public:
    using Observer = std::function<void(const OutputEvent&)>;

    void prepare() override {}
    void post(std::span<const OutputEvent> events) override;

    // The events as describePosted() words them.
    [[nodiscard]] std::vector<std::string> descriptions() const;
    void clear() { events_.clear(); }
    // Called for each event as it is posted.
    void setObserver(Observer observer) { observer_ = std::move(observer); }

private:
    std::vector<OutputEvent> events_;
    Observer observer_;
};

} // namespace bindwell::sim
