// Main thread only (the loop's own thread runs what it is given).
#pragma once

#include <functional>
#include <string>

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

    // On the loop: runs `task` there once the current callback or command
    // has returned.
    virtual void runSoon(std::function<void()> task) = 0;

    // True when the loop is a thread of its own: an input's outputs are then
    // written before any of its texts are handed on.
    [[nodiscard]] virtual bool isThreaded() const = 0;

    // Where lastEvent texts go on the main thread. Set before the first start.
    using LastEventReceiver = std::function<void(std::string& text)>;
    virtual void setLastEventReceiver(LastEventReceiver receiver) = 0;
    // Called on the loop: hands a lastEvent text (which may be taken) to the
    // receiver. A loop on its own thread delivers it later and keeps only the
    // latest of a burst, so fast input never floods the main thread.
    virtual void publishLastEvent(std::string& text) = 0;
};

} // namespace bindwell
