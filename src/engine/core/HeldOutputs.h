// Any thread; one owner at a time.
#pragma once

#include "engine/core/OutputEvent.h"
#include "model/DeviceProfile.h"

#include <memory>
#include <vector>

namespace bindwell {

// The outputs posted down whose release is still owed, with the action that
// pressed each one (its name is what a forced release logs; `profile` keeps it
// alive across a restart on an edited profile). Anything that holds an output
// while a button is down keeps it here, so unplug, stop and exit can let go of
// all of it without knowing the kinds.
class HeldOutputs final {
public:
    struct Hold {
        const RemapAction* action = nullptr;
        std::shared_ptr<const DeviceProfile> profile;
        OutputEvent release;
        // Held by a hold or double-tap action: a restart lets go of these,
        // since the gesture that would end them does not survive it.
        bool byGesture = false;
    };

    [[nodiscard]] bool holds(const OutputEvent& release) const;
    // Adding an output that is already held changes nothing.
    void add(const Hold& hold);
    void remove(const OutputEvent& release);
    // Moves every hold into `taken` (cleared first) and forgets them: pointer
    // buttons first in button order, then keys in press order, so a drag ends
    // before its modifiers go up.
    void takeAll(std::vector<Hold>& taken);
    // The same for the holds of gestures only.
    void takeGestureHolds(std::vector<Hold>& taken);
    [[nodiscard]] bool empty() const { return holds_.empty(); }

private:
    static void sortForRelease(std::vector<Hold>& taken);

    std::vector<Hold> holds_;
};

} // namespace bindwell
