// Any thread; one owner at a time.
#pragma once

#include "engine/core/OutputEvent.h"
#include "model/RemapAction.h"

#include <vector>

namespace bindwell {

// The outputs posted down whose release is still owed, with the action that
// pressed each one (its name is what a forced release logs). Anything that
// holds an output while a button is down keeps it here, so unplug, stop and
// exit can let go of all of it without knowing the kinds.
class HeldOutputs final {
public:
    struct Hold {
        RemapAction action;
        OutputEvent release;
    };

    [[nodiscard]] bool holds(const OutputEvent& release) const;
    // True when the action's output is held.
    [[nodiscard]] bool holdsFor(const RemapAction& action) const;
    // Adding an output that is already held changes nothing.
    void add(const RemapAction& action, const OutputEvent& release);
    void remove(const OutputEvent& release);
    // Every hold, forgotten: pointer buttons first in button order, then keys
    // in press order, so a drag ends before its modifiers go up.
    [[nodiscard]] std::vector<Hold> takeAll();
    [[nodiscard]] bool empty() const { return holds_.empty(); }

private:
    std::vector<Hold> holds_;
};

} // namespace bindwell
