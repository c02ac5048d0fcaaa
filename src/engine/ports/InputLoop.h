// Main thread only (the loop's own thread runs what it is given).
#pragma once

#include <functional>

namespace bindwell {

// Where the remapping path runs: the managers' and the tap's callbacks come in
// there, and the engine's state lives there. The main thread reaches that
// state only through call().
class InputLoop {
public:
    virtual ~InputLoop() = default;

    // Runs `command` on the loop, between two input frames, and returns once
    // it has run.
    virtual void call(const std::function<void()>& command) = 0;

    // True when the loop is a thread of its own: an input's outputs are then
    // written before any of its texts are handed on.
    [[nodiscard]] virtual bool isThreaded() const = 0;
};

} // namespace bindwell
