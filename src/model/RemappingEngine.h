// Main thread only.
#pragma once

namespace bindwell {

// What the configuration store needs of the remapping engine: an edit to the
// active profile reaches a running engine only through a stop and a new start.
class RemappingEngine {
public:
    virtual ~RemappingEngine() = default;
    [[nodiscard]] virtual bool isRunning() const = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
    // Stop and start again on the edited profile. Unlike a stop, it keeps
    // what a button holds down, so the button's own release still lets go.
    virtual void restart() = 0;
};

} // namespace bindwell
