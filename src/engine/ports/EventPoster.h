// The input loop's thread (ports/InputLoop.h).
#pragma once

#include "engine/core/OutputEvent.h"

#include <span>

namespace bindwell {

// Posts synthetic input into the user's session as if typed or clicked.
// Failures are the platform's to log; posting reports nothing to the caller.
class EventPoster {
public:
    virtual ~EventPoster() = default;

    // Remapping is about to start: a platform whose synthetic device takes a
    // moment to be noticed by the desktop creates it here, not at the first press.
    virtual void prepare() = 0;

    // Posts the events in order. A key press goes down after its modifiers,
    // a key release goes up before them. Events given together go out
    // together (one write on Linux), so whoever reads them wakes once.
    virtual void post(std::span<const OutputEvent> events) = 0;
};

} // namespace bindwell
