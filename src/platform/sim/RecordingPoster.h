// Main thread only.
#pragma once

#include "engine/ports/EventPoster.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bindwell::sim {

struct PostedEvent {
    enum class Kind { key, mouse };
    Kind kind = Kind::key;
    uint16_t keyCode = 0;
    bool keyDown = false;
    uint64_t flags = 0;
    MouseEventType mouseType = MouseEventType::leftMouseDown;
    int button = 0;

    // "post key 36 down", "post key 6 up flags 0x100000", "post mouse 1 button 0".
    [[nodiscard]] std::string describe() const;

    friend bool operator==(const PostedEvent&, const PostedEvent&) = default;
};

// Keeps every posted event in order instead of sending it anywhere.
class RecordingPoster final : public EventPoster {
public:
    using Observer = std::function<void(const PostedEvent&)>;

    void prepare() override {}
    void postKey(uint16_t keyCode, bool keyDown, uint64_t flags) override;
    void postMouseButton(MouseEventType type, int button) override;

    [[nodiscard]] const std::vector<PostedEvent>& events() const { return events_; }
    // The events as describe() words them.
    [[nodiscard]] std::vector<std::string> descriptions() const;
    void clear() { events_.clear(); }
    // Called for each event as it is posted.
    void setObserver(Observer observer) { observer_ = std::move(observer); }

private:
    void record(const PostedEvent& event);

    std::vector<PostedEvent> events_;
    Observer observer_;
};

} // namespace bindwell::sim
