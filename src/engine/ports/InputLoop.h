// Main thread only, except where a member says it is called on the loop.
#pragma once

#include "engine/core/TextRecord.h"

#include <functional>
#include <span>

namespace bindwell {

// Where the remapping path runs: the managers' and the tap's callbacks come in
// there, and the engine's state lives there. The main thread reaches that
// state only through call().
class InputLoop {
public:
    virtual ~InputLoop() = default;

    // Runs `command` on the loop, between two input frames, and returns once
    // it has run. Log lines the command wrote are written before it returns.
    virtual void call(const std::function<void()>& command) = 0;

    // On the loop: runs `task` there once the current callback or command
    // has returned.
    virtual void runSoon(std::function<void()> task) = 0;

    // On the loop: runs `onDue` there once the Clock reaches `deadline`
    // (seconds), unless another wakeAt() or cancelWake() comes first. One
    // request at a time, and none costs the loop a wake-up.
    virtual void wakeAt(double deadline, std::function<void()> onDue) = 0;
    virtual void cancelWake() = 0;

    // Where an input's texts are turned into log lines and lastEvent, on the
    // main thread. Set before the first start. `fromEventLoop` is true when
    // the loop delivers on a turn of the event loop of its own, outside any
    // callback and any command, so what the record changes may be published
    // at once; otherwise the receiver waits for the event loop to publish it.
    using TextReceiver = std::function<void(const TextRecord& record, bool fromEventLoop)>;
    virtual void setTextReceiver(TextReceiver receiver) = 0;
    // On the loop, after the input's events are posted: passes its texts to
    // the receiver, at once on a loop that is the main thread, else later.
    // Records may be taken (moved from). A loop on its own thread keeps only
    // the latest lastEvent of a burst, so fast input never floods the main thread.
    virtual void handOff(std::span<TextRecord> records) = 0;
};

} // namespace bindwell
