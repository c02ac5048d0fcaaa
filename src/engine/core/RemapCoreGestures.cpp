// The decision core's part for buttons with a hold or a double-tap action.
// GestureTracker says what to perform at each edge and passing deadline; here
// that is performed like any other action (repeat filter, synthesis, held
// outputs) and described with its gesture. The three actions are the ones in
// force at the first press, kept by the tracker, so a focus change during a
// window changes nothing. What a hold or double-tap action holds is marked
// as a gesture's, so a restart can let go of exactly that.
//
// The repeat filter sees a gesture when its action is performed, at that
// moment: two reports of one physical press still fold into one, even when
// both wait for the same deadline.
#include "engine/core/RemapCore.h"

namespace bindwell {

void RemapCore::gesture(const ButtonMapping& mapping, bool isPressed, double now,
                        Effects& effects) {
    const auto button = static_cast<uint32_t>(&mapping - profile_->buttonMappings.data());
    effects.noteGestureChange();
    std::optional<GestureTracker::Performance> performance;
    if (isPressed) {
        const MappingActions& actions = actionsOf(mapping);
        const GestureTracker::Choice choice{
            .tap = actions.inForce,
            .hold = actions.hold,
            .doubleTap = actions.doubleTap,
            .holdTime = profile_->gestureMilliseconds(Gesture::hold) * 1000,
            .doubleTapTime = profile_->gestureMilliseconds(Gesture::doubleTap) * 1000};
        performance = gestures_.press(button, choice, toMicros(now));
    } else if (gestures_.follows(button)) {
        performance = gestures_.release(button, toMicros(now));
    } else {
        endStrayRelease(mapping, now, effects);
    }
    if (performance) {
        performGesture(*performance, effects);
    }
}

void RemapCore::performGesture(const GestureTracker::Performance& performance, Effects& effects) {
    using Edge = GestureTracker::Performance::Edge;
    const ButtonMapping& mapping = profile_->buttonMappings[performance.button];
    const CompiledAction& action = compiled_[performance.action];
    const double at = static_cast<double>(performance.at) / 1e6;
    const bool byGesture = performance.gesture != Gesture::tap;
    const auto describe = [&](TextRecord::Kind kind) {
        TextRecord& record = profileText(kind, effects);
        record.mapping = &mapping;
        record.gesture = performance.gesture;
        record.action = action.source;
    };
    if (performance.edge != Edge::release) {
        describe(TextRecord::Kind::gestureStarted);
    }
    const bool admitted =
        perform(action, performance.edge != Edge::release, at, effects, byGesture);
    if (admitted && performance.edge == Edge::tap) {
        perform(action, false, at, effects, byGesture);
    }
    describe(TextRecord::Kind::mappingEvent);
}

// The release of a press decided before a restart, whose gesture went with
// it: all that may still be down is what a button without gestures held.
void RemapCore::endStrayRelease(const ButtonMapping& mapping, double now, Effects& effects) {
    const CompiledAction& action = compiled_[actionsOf(mapping).pressedAs];
    if (held_.holds(action.press.withPressed(false))) {
        run(mapping, action, false, now, effects);
    }
}

void RemapCore::passDeadline(Micros now, Effects& effects) {
    if (const auto performance = gestures_.passDue(now)) {
        effects.noteGestureChange();
        performGesture(*performance, effects);
    }
}

void RemapCore::clearGestures(Effects& effects) {
    if (!gestures_.empty()) {
        gestures_.clear();
        effects.noteGestureChange();
    }
}

void RemapCore::endGestures(Effects& effects) {
    clearGestures(effects);
    held_.takeGestureHolds(holdScratch_);
    postReleases(effects, false);
}

} // namespace bindwell
