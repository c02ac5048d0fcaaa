// Any thread; one owner at a time.
#pragma once

#include "model/ButtonMapping.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace bindwell {

// Microseconds, the unit of input timestamps: deadlines and the edges they
// are compared with must agree exactly at a boundary ("released at 400 ms"
// is a hold), which sums of seconds in floating point do not promise.
using Micros = int64_t;

[[nodiscard]] inline Micros toMicros(double seconds) {
    return std::llround(seconds * 1e6);
}

// Tells a tap, a hold and a double tap apart for the buttons that have a hold
// or a double-tap action. Edges and the passing of deadlines go in; what to
// perform comes out, with the compiled action the button's first press chose.
// It owns no clock: the earliest deadline is data the caller arms a timer
// for, and the caller lets every deadline at or before an edge's time pass
// first, so that an edge exactly at a deadline comes after it.
//
// Per button: down (a hold deadline, if there is a hold action) -> holding
// until the release; or a release before it -> the tap at once, or, with a
// double-tap action, a window -> a second press (the double tap, down until
// its release) or the window's end (the tap then).
class GestureTracker final {
public:
    static constexpr uint32_t kNoAction = std::numeric_limits<uint32_t>::max();

    // What a first press chose, kept until its gesture ends: the compiled
    // actions of the three gestures and the profile's two times.
    struct Choice {
        uint32_t tap = 0;
        uint32_t hold = kNoAction;
        uint32_t doubleTap = kNoAction;
        Micros holdTime = 0;
        Micros doubleTapTime = 0;
    };

    // One thing to perform now.
    struct Performance {
        enum class Edge : uint8_t {
            press,
            release,
            tap, // press and release together
        };
        uint32_t button = 0;
        Gesture gesture = Gesture::tap;
        Edge edge = Edge::press;
        uint32_t action = 0;
        // The edge's time, or the deadline that passed.
        Micros at = 0;
    };

    // `choice` is read only by a press that starts a gesture. A press of a
    // button already down is a repeat and changes nothing.
    [[nodiscard]] std::optional<Performance> press(uint32_t button, const Choice& choice,
                                                   Micros now);
    // A release of a button not followed here changes nothing (see follows()).
    [[nodiscard]] std::optional<Performance> release(uint32_t button, Micros now);
    [[nodiscard]] bool follows(uint32_t button) const;

    [[nodiscard]] std::optional<Micros> nextDeadline() const;
    // The earliest deadline at or before `now` passes; nothing when none is due.
    [[nodiscard]] std::optional<Performance> passDue(Micros now);

    // Forgets every gesture in progress; what their actions hold down is
    // the caller's to let go.
    void clear() { pending_.clear(); }
    [[nodiscard]] bool empty() const { return pending_.empty(); }

private:
    enum class State : uint8_t { down, holding, window, secondDown };
    static constexpr Micros kNever = std::numeric_limits<Micros>::max();

    struct Pending {
        uint32_t button = 0;
        State state = State::down;
        Micros deadline = kNever;
        Choice choice;
    };

    [[nodiscard]] std::vector<Pending>::iterator find(uint32_t button);

    std::vector<Pending> pending_;
};

} // namespace bindwell
