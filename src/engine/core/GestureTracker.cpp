// A button with gestures is followed from its first press to the end of its
// gesture; a handful at most are in progress at once, so a small vector
// searched by button beats any map. Every choice is made at the first press
// and copied into the entry: a focus change or a later press cannot change
// what an ongoing gesture performs.
//
// Rejected: a timer per button. The loop keeps one timer for the earliest
// deadline of all controllers, so what a deadline needs is only to be found.
#include "engine/core/GestureTracker.h"

#include <algorithm>

namespace bindwell {

using Edge = GestureTracker::Performance::Edge;

std::vector<GestureTracker::Pending>::iterator GestureTracker::find(uint32_t button) {
    return std::find_if(pending_.begin(), pending_.end(),
                        [button](const Pending& entry) { return entry.button == button; });
}

bool GestureTracker::follows(uint32_t button) const {
    return std::any_of(pending_.begin(), pending_.end(),
                       [button](const Pending& entry) { return entry.button == button; });
}

std::optional<GestureTracker::Performance> GestureTracker::press(uint32_t button,
                                                                 const Choice& choice, Micros now) {
    const auto entry = find(button);
    if (entry == pending_.end()) {
        const bool mayHold = choice.hold != kNoAction;
        pending_.push_back({.button = button,
                            .state = State::down,
                            .deadline = mayHold ? now + choice.holdTime : kNever,
                            .choice = choice});
        return std::nullopt;
    }
    if (entry->state != State::window) {
        return std::nullopt;
    }
    entry->state = State::secondDown;
    entry->deadline = kNever;
    return Performance{.button = button,
                       .gesture = Gesture::doubleTap,
                       .edge = Edge::press,
                       .action = entry->choice.doubleTap,
                       .at = now};
}

std::optional<GestureTracker::Performance> GestureTracker::release(uint32_t button, Micros now) {
    const auto entry = find(button);
    if (entry == pending_.end() || entry->state == State::window) {
        return std::nullopt;
    }
    const Choice choice = entry->choice;
    Performance performance{.button = button,
                            .gesture = Gesture::tap,
                            .edge = Edge::tap,
                            .action = choice.tap,
                            .at = now};
    switch (entry->state) {
    case State::down:
        if (choice.doubleTap != kNoAction) {
            entry->state = State::window;
            entry->deadline = now + choice.doubleTapTime;
            return std::nullopt;
        }
        break;
    case State::holding:
        performance.gesture = Gesture::hold;
        performance.edge = Edge::release;
        performance.action = choice.hold;
        break;
    case State::secondDown:
        performance.gesture = Gesture::doubleTap;
        performance.edge = Edge::release;
        performance.action = choice.doubleTap;
        break;
    case State::window:
        break;
    }
    pending_.erase(entry);
    return performance;
}

std::optional<Micros> GestureTracker::nextDeadline() const {
    const auto earliest =
        std::min_element(pending_.begin(), pending_.end(), [](const Pending& a, const Pending& b) {
            return a.deadline < b.deadline;
        });
    if (earliest == pending_.end() || earliest->deadline == kNever) {
        return std::nullopt;
    }
    return earliest->deadline;
}

std::optional<GestureTracker::Performance> GestureTracker::passDue(Micros now) {
    const auto earliest =
        std::min_element(pending_.begin(), pending_.end(), [](const Pending& a, const Pending& b) {
            return a.deadline < b.deadline;
        });
    if (earliest == pending_.end() || earliest->deadline > now) {
        return std::nullopt;
    }
    Performance performance{.button = earliest->button,
                            .gesture = Gesture::hold,
                            .edge = Edge::press,
                            .action = earliest->choice.hold,
                            .at = earliest->deadline};
    if (earliest->state == State::window) {
        // No second press in time: the tap the window held back.
        performance.gesture = Gesture::tap;
        performance.edge = Edge::tap;
        performance.action = earliest->choice.tap;
        pending_.erase(earliest);
    } else {
        earliest->state = State::holding;
        earliest->deadline = kNever;
    }
    return performance;
}

} // namespace bindwell
