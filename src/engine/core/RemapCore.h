// Any thread; one owner at a time (the thread that drives remapping).
#pragma once

#include "engine/core/ArrayElementPresses.h"
#include "engine/core/CompiledAction.h"
#include "engine/core/DedupeGate.h"
#include "engine/core/Effects.h"
#include "engine/core/GestureTracker.h"
#include "engine/core/HeldOutputs.h"
#include "engine/core/KeyboardKeys.h"
#include "engine/ports/EventTap.h"
#include "engine/ports/HidInputValue.h"
#include "model/DeviceProfile.h"
#include "model/FocusedApp.h"

#include <memory>
#include <vector>

namespace bindwell {

// The engine's decisions, with nothing else inside: an input value or a tap
// event and the time it arrived go in, the effects to perform come out. It
// owns the decision state (the active profile, the repeat filter, the
// array-press memory and the held outputs) and touches no device, clock,
// thread or event loop, so the simulator drives it step by step and the input
// thread drives it between reads and writes.
class RemapCore final {
public:
    explicit RemapCore(OutputKeyOf outputKeyOf) : outputKeyOf_(std::move(outputKeyOf)) {}

    // The profile later inputs are looked up in; null means none is active.
    // Its actions are compiled to output events here, once. Held outputs and
    // the repeat filter's times carry over; array presses must have been
    // forgotten first, as they point into the previous profile.
    void setProfile(std::shared_ptr<const DeviceProfile> profile);
    [[nodiscard]] const std::shared_ptr<const DeviceProfile>& profile() const { return profile_; }

    // The application with the focus from now on: each button's next press
    // takes the action its rules give that application. A press decided
    // before keeps its action until its release.
    void setFocus(const FocusedApp& app);

    // One value of a tracked interface of the target.
    void input(const HidInputValue& value, double now, Effects& effects);
    // One event seen by the event tap: let it through or swallow it.
    [[nodiscard]] TapVerdict tap(const TapEvent& event, double now, Effects& effects);

    // Lets go of every held output and forgets every gesture in progress.
    // With `logReason`, each release is logged as caused by the controller
    // going away.
    void releaseHeld(Effects& effects, bool logReason);
    // Forgets every gesture in progress and lets go of what gestures hold:
    // remapping stops or restarts, and no gesture survives that.
    void endGestures(Effects& effects);
    // The earliest deadline of a gesture in progress, when one waits for it.
    [[nodiscard]] std::optional<Micros> nextDeadline() const { return gestures_.nextDeadline(); }
    // The earliest deadline at or before `now`, if any, passes and what it
    // decides is performed.
    void passDeadline(Micros now, Effects& effects);
    // An interface is gone or no longer followed: its array presses go too.
    void forgetInterface(const HidDevice* device) { arrayPresses_.forgetDevice(device); }
    void forgetArrayPresses() { arrayPresses_.clear(); }
    // The capture of a keyboard-key interface ends: the keys it passed go up.
    // With `endMappedToo` (the interface is gone), so do the actions of its
    // mapped keys, whose releases will never come; otherwise those releases
    // may still come after a restart.
    void releaseKeyboardKeys(Effects& effects, bool endMappedToo);

    [[nodiscard]] bool holdsOutputs() const { return !held_.empty(); }

private:
    // Where a mapping's compiled actions start (its own, then its
    // overrides'), the one in force for the focused application and the one
    // its last press used, which its release ends.
    struct MappingActions {
        uint32_t first = 0;
        uint32_t inForce = 0;
        uint32_t pressedAs = 0;
        // The hold and double-tap actions, or GestureTracker::kNoAction.
        uint32_t hold = GestureTracker::kNoAction;
        uint32_t doubleTap = GestureTracker::kNoAction;
        // Either of them is set: the button's presses go through gestures_.
        bool hasGestures = false;
    };

    [[nodiscard]] MappingActions& actionsOf(const ButtonMapping& mapping);
    // The action a press starts (and remembers), or the one a release ends.
    [[nodiscard]] const CompiledAction& decide(MappingActions& actions, bool isPressed);
    [[nodiscard]] uint32_t actionInForce(const ButtonMapping& mapping, uint32_t first) const;
    void dispatch(const ButtonMapping& mapping, bool isPressed, double now, Effects& effects);
    void gesture(const ButtonMapping& mapping, bool isPressed, double now, Effects& effects);
    void performGesture(const GestureTracker::Performance& performance, Effects& effects);
    void endStrayRelease(const ButtonMapping& mapping, double now, Effects& effects);
    void clearGestures(Effects& effects);
    void run(const ButtonMapping& mapping, const CompiledAction& action, bool isPressed, double now,
             Effects& effects);
    void releaseArrayElement(const HidInputValue& value, double now, Effects& effects);
    void keyboardKeyDown(const HidInputValue& value, double now, Effects& effects);
    void keyboardKeyUp(const HidInputValue& value, double now, Effects& effects);
    void endMappedKey(const KeyboardKeys::Key& key, double now, Effects& effects);
    // False when the repeat filter dropped the press.
    bool perform(const CompiledAction& action, bool isPressed, double now, Effects& effects,
                 bool byGesture = false);
    void synthesize(const CompiledAction& action, bool isPressed, Effects& effects, bool byGesture);
    void hold(const CompiledAction& action, bool isPressed, Effects& effects, bool byGesture);
    void reportUnpostable(int64_t storedKey, Effects& effects);
    [[nodiscard]] TapVerdict mediaKey(const MediaKey& key, Effects& effects);
    [[nodiscard]] TapVerdict extraButton(const ExtraButton& button, double now, Effects& effects);
    void suppressedMouseButton(const ExtraButton& button, const CompiledAction& action,
                               Effects& effects) const;
    void postReleases(Effects& effects, bool logReason);
    TextRecord& profileText(TextRecord::Kind kind, Effects& effects) const;

    OutputKeyOf outputKeyOf_;
    std::shared_ptr<const DeviceProfile> profile_;
    // Every action of profile_, mapping by mapping.
    std::vector<CompiledAction> compiled_;
    // One per mapping of profile_, in the same order.
    std::vector<MappingActions> mappingActions_;
    FocusedApp focus_;
    // Holds lastActionTime and dedupeWindow.
    DedupeGate gate_;
    ArrayElementPresses arrayPresses_;
    HeldOutputs held_;
    GestureTracker gestures_;
    KeyboardKeys keyboard_;
    // Key codes already reported as unpostable: once each is enough.
    std::vector<int64_t> reportedUnpostable_;
    // Reused between inputs so that releasing allocates nothing.
    std::vector<const ButtonMapping*> arrayScratch_;
    std::vector<HeldOutputs::Hold> holdScratch_;
    std::vector<KeyboardKeys::Key> keyScratch_;
};

} // namespace bindwell
