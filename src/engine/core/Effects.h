// Any thread; one owner at a time.
#pragma once

#include "engine/core/OutputEvent.h"
#include "engine/core/TextRecord.h"

#include <span>
#include <utility>
#include <vector>

namespace bindwell {

// What the core decided for one input: the events to post and the texts to
// publish, each in the order decided. Every driver performs them the same
// way, all posts of an input first and then its texts, so the simulator's
// scripts record exactly the order the real program keeps. The buffers keep
// their capacity between inputs, so a warm Effects decides without allocating.
class Effects final {
public:
    void post(const OutputEvent& output) { posts_.push_back(output); }
    [[nodiscard]] TextRecord& text(TextRecord::Kind kind) {
        TextRecord& record = texts_.emplace_back();
        record.kind = kind;
        record.controller = controller_;
        return record;
    }
    // The controller whose decisions follow; their texts carry its id.
    void setController(uint32_t id) { controller_ = id; }
    // A gesture began, moved on or ended, so its controller's next deadline
    // may have changed: the driver asks again when to wake.
    void noteGestureChange() { gestureChanged_ = true; }
    [[nodiscard]] bool takeGestureChange() { return std::exchange(gestureChanged_, false); }

    [[nodiscard]] std::span<const OutputEvent> posts() const { return posts_; }
    [[nodiscard]] std::span<TextRecord> texts() { return texts_; }
    void clear() {
        posts_.clear();
        texts_.clear();
    }

private:
    std::vector<OutputEvent> posts_;
    std::vector<TextRecord> texts_;
    uint32_t controller_ = 0;
    bool gestureChanged_ = false;
};

} // namespace bindwell
