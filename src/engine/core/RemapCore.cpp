// The engine's decision core. Dispatch: a value of a tracked interface goes
// to at most one mapping; pointer motion never reaches the lookup. Array
// fields get one repair beyond a plain lookup: their "array empty" value
// releases whatever was pressed through them (see ArrayElementPresses).
//
// Synthesis: key taps post down and up together on the press and nothing on
// the release; Fn, the held clicks and held keystrokes follow the controller's
// button. Every output that stays down lives in HeldOutputs, so a lost release
// is harmless (a second press of a held click posts no second button-down) and
// unplug, stop and exit can release everything without knowing what it is.
//
// Keyboard-key interfaces (presenters, pedals) are seized whole, so the core
// stands in for the desktop: a key without an action of its own (unmapped or
// "Default") goes out unchanged on the virtual keyboard and stays down until
// the device lets go, so the desktop repeats it as its own. Modifiers the
// device sends wait for its next key (KeyboardKeys): a mapped key swallows
// them, any other key gets them first. Looking a key up with the modifiers
// held is what lets a source name a combination the device sends.
//
// Tap: media keys get their action from the HID path, so the tap only
// swallows the system's copy of a mapped key (an unseized interface reaches
// the system too) and performs nothing. Extra pointer buttons reach us only
// through the tap, so for them the tap is the input path: look up, perform,
// publish, swallow. A button mapped to "Default (No Remap)" passes.
//
// Gestures: a button with a hold or double-tap action goes through
// GestureTracker (RemapCoreGestures.cpp). A button without them never
// reaches it, so it is decided and posted exactly as before.
//
// Cost: a press compares numbers and copies small records. Actions are
// compiled to output events when the profile is taken, the repeat filter
// keys on slots made then, and texts are records the main thread formats
// later (RecordText.h).
//
// Rejected: returning a verdict and letting the caller post. The order of
// log lines and posts is part of the observable behaviour, so the core
// records every effect and every driver performs them in one order.
#include "engine/core/RemapCore.h"

#include "engine/core/MediaKeyTable.h"
#include "model/AppMatch.h"
#include "model/HidUsages.h"

#include <algorithm>

namespace bindwell {
namespace {

using Kind = RemapAction::Kind;
using Output = CompiledAction::Output;

bool isPointerMotion(const HidInputValue& value) {
    if (value.usagePage != hid::kGenericDesktopPage) {
        return false;
    }
    return value.usage == hid::kPointerX || value.usage == hid::kPointerY ||
           (value.usage == hid::kWheel && value.value == 0);
}

// The mapping a media key stands for: its own usage, else the array-element
// form, where only the volume keys carry their usage as the element's value.
const ButtonMapping* mappingOfMediaKey(const DeviceProfile& profile, uint32_t usage) {
    if (const ButtonMapping* mapping = profile.findMappingPointer(kConsumerUsagePage, usage, 1)) {
        return mapping;
    }
    const int64_t arrayValue = (usage == hid::kVolumeUp || usage == hid::kVolumeDown) ? usage : 0;
    return profile.findMappingPointer(kConsumerUsagePage, kArrayElementUsage, arrayValue);
}

void usageText(TextRecord& record, const HidInputValue& value) {
    record.usagePage = value.usagePage;
    record.usage = value.usage;
    record.value = value.value;
}

} // namespace

void RemapCore::setProfile(std::shared_ptr<const DeviceProfile> profile) {
    profile_ = std::move(profile);
    compiled_.clear();
    mappingActions_.clear();
    // They name buttons by their place in the profile that is going.
    gestures_.clear();
    if (!profile_) {
        return;
    }
    const auto compile = [this](const RemapAction& action) {
        const auto index = static_cast<uint32_t>(compiled_.size());
        CompiledAction& compiled = compiled_.emplace_back(compileAction(action, outputKeyOf_));
        compiled.dedupeSlot = gate_.slotFor(action.displayName());
        compiled.source = &action;
        return index;
    };
    const auto compileIfSet = [&compile](const std::optional<RemapAction>& action) {
        return action ? compile(*action) : GestureTracker::kNoAction;
    };
    mappingActions_.reserve(profile_->buttonMappings.size());
    for (const ButtonMapping& mapping : profile_->buttonMappings) {
        const auto first = static_cast<uint32_t>(compiled_.size());
        compile(mapping.action);
        for (const AppOverride& rule : mapping.appOverrides) {
            compile(rule.action);
        }
        const uint32_t inForce = actionInForce(mapping, first);
        mappingActions_.push_back({.first = first,
                                   .inForce = inForce,
                                   .pressedAs = inForce,
                                   .hold = compileIfSet(mapping.holdAction),
                                   .doubleTap = compileIfSet(mapping.doubleTapAction),
                                   .hasGestures = mapping.hasGestures()});
    }
}

void RemapCore::setFocus(const FocusedApp& app) {
    focus_ = app;
    if (!profile_) {
        return;
    }
    for (size_t i = 0; i < mappingActions_.size(); ++i) {
        const ButtonMapping& mapping = profile_->buttonMappings[i];
        if (!mapping.appOverrides.empty()) {
            mappingActions_[i].inForce = actionInForce(mapping, mappingActions_[i].first);
        }
    }
}

uint32_t RemapCore::actionInForce(const ButtonMapping& mapping, uint32_t first) const {
    for (size_t i = 0; i < mapping.appOverrides.size(); ++i) {
        if (ruleMatches(mapping.appOverrides[i].match, focus_)) {
            return first + 1 + static_cast<uint32_t>(i);
        }
    }
    return first;
}

RemapCore::MappingActions& RemapCore::actionsOf(const ButtonMapping& mapping) {
    return mappingActions_[static_cast<size_t>(&mapping - profile_->buttonMappings.data())];
}

const CompiledAction& RemapCore::decide(MappingActions& actions, bool isPressed) {
    if (isPressed) {
        actions.pressedAs = actions.inForce;
    }
    return compiled_[actions.pressedAs];
}

TextRecord& RemapCore::profileText(TextRecord::Kind kind, Effects& effects) const {
    TextRecord& record = effects.text(kind);
    record.profile = profile_;
    return record;
}

void RemapCore::input(const HidInputValue& value, double now, Effects& effects) {
    if (isPointerMotion(value)) {
        return;
    }
    usageText(effects.text(TextRecord::Kind::hidEvent), value);
    if (value.usagePage == hid::kKeyboardPage && value.device &&
        value.device->description().hasKeyboardKeys()) {
        if (value.value != 0) {
            keyboardKeyDown(value, now, effects);
        } else {
            keyboardKeyUp(value, now, effects);
        }
        return;
    }
    const bool isArrayElement = value.usage == kArrayElementUsage;
    const bool isPressed = isArrayElement ? value.value > 0 : value.value != 0;
    const ButtonMapping* mapping =
        profile_ ? profile_->findMappingPointer(value.usagePage, value.usage, value.value)
                 : nullptr;
    if (mapping) {
        if (isArrayElement && isPressed) {
            arrayPresses_.remember(value.device.get(), value.usagePage, *mapping);
        }
        dispatch(*mapping, isPressed, now, effects);
        return;
    }
    if (isArrayElement && value.value == 0) {
        releaseArrayElement(value, now, effects);
        return;
    }
    if (isPressed) {
        usageText(effects.text(TextRecord::Kind::unmappedButton), value);
        usageText(effects.text(TextRecord::Kind::unmappedEvent), value);
    }
}

void RemapCore::dispatch(const ButtonMapping& mapping, bool isPressed, double now,
                         Effects& effects) {
    MappingActions& actions = actionsOf(mapping);
    if (actions.hasGestures) [[unlikely]] {
        gesture(mapping, isPressed, now, effects);
        return;
    }
    run(mapping, decide(actions, isPressed), isPressed, now, effects);
}

void RemapCore::run(const ButtonMapping& mapping, const CompiledAction& action, bool isPressed,
                    double now, Effects& effects) {
    perform(action, isPressed, now, effects);
    TextRecord& record = profileText(TextRecord::Kind::mappingEvent, effects);
    record.mapping = &mapping;
    record.action = action.source;
}

void RemapCore::keyboardKeyDown(const HidInputValue& value, double now, Effects& effects) {
    if (keyboard_.isDown(value.usage)) {
        return;
    }
    KeyboardKeys::Key key{
        .usage = value.usage, .code = value.key, .modifiers = keyboard_.heldModifiers()};
    const ButtonMapping* mapping =
        profile_ ? profile_->findMappingPointer(kKeyboardUsagePage, value.usage, value.value,
                                                key.modifiers)
                 : nullptr;
    MappingActions* actions = mapping ? &actionsOf(*mapping) : nullptr;
    const CompiledAction* action = actions ? &compiled_[actions->inForce] : nullptr;
    // A key with gestures may yet do anything, so it never passes.
    if (action != nullptr && (actions->hasGestures || action->source->kind() != Kind::none)) {
        keyboard_.consumeHeldBack();
        key.fate = KeyboardKeys::Fate::mapped;
        keyboard_.press(key);
        dispatch(*mapping, true, now, effects);
        return;
    }
    if (modifierBit(value.usage)) {
        key.fate = KeyboardKeys::Fate::heldBack;
        keyboard_.press(key);
        return;
    }
    keyboard_.passHeldBack(effects);
    keyboard_.pass(key, effects);
    if (mapping != nullptr) {
        TextRecord& record = profileText(TextRecord::Kind::mappingEvent, effects);
        record.mapping = mapping;
        record.action = action->source;
        return;
    }
    usageText(effects.text(TextRecord::Kind::unmappedButton), value);
    TextRecord& unmapped = effects.text(TextRecord::Kind::unmappedEvent);
    usageText(unmapped, value);
    // The editor learns the key as the combination the device sent.
    unmapped.number = key.modifiers;
}

void RemapCore::keyboardKeyUp(const HidInputValue& value, double now, Effects& effects) {
    const std::optional<KeyboardKeys::Key> key = keyboard_.release(value.usage);
    if (!key) {
        return;
    }
    if (key->fate == KeyboardKeys::Fate::mapped) {
        endMappedKey(*key, now, effects);
    } else {
        KeyboardKeys::letGo(*key, effects);
    }
}

// The release finds the mapping its press found, by the modifiers held then.
void RemapCore::endMappedKey(const KeyboardKeys::Key& key, double now, Effects& effects) {
    const ButtonMapping* mapping =
        profile_ ? profile_->findMappingPointer(kKeyboardUsagePage, key.usage, 0, key.modifiers)
                 : nullptr;
    if (mapping != nullptr) {
        dispatch(*mapping, false, now, effects);
    }
}

void RemapCore::releaseKeyboardKeys(Effects& effects, bool endMappedToo) {
    keyboard_.releasePassed(effects);
    if (endMappedToo) {
        keyboard_.takeMapped(keyScratch_);
        for (const KeyboardKeys::Key& key : keyScratch_) {
            endMappedKey(key, 0, effects);
        }
    }
}

void RemapCore::releaseArrayElement(const HidInputValue& value, double now, Effects& effects) {
    arrayPresses_.takeAll(value.device.get(), value.usagePage, arrayScratch_);
    for (const ButtonMapping* mapping : arrayScratch_) {
        dispatch(*mapping, false, now, effects);
    }
}

bool RemapCore::perform(const CompiledAction& action, bool isPressed, double now, Effects& effects,
                        bool byGesture) {
    if (isPressed) {
        const DedupeGate::Verdict verdict = gate_.admitPress(action.dedupeSlot, now);
        if (!verdict.admitted) {
            TextRecord& record = profileText(TextRecord::Kind::deduplicated, effects);
            record.action = action.source;
            record.number = verdict.elapsedMilliseconds;
            return false;
        }
    }
    synthesize(action, isPressed, effects, byGesture);
    return true;
}

void RemapCore::synthesize(const CompiledAction& action, bool isPressed, Effects& effects,
                           bool byGesture) {
    switch (action.output) {
    case Output::nothing:
        return;
    case Output::tap:
        if (isPressed) {
            effects.post(action.press);
            effects.post(action.press.withPressed(false));
        }
        return;
    case Output::hold:
    case Output::followEdges:
        hold(action, isPressed, effects, byGesture);
        return;
    case Output::keyOutOfRange:
        if (isPressed) {
            TextRecord& record = profileText(TextRecord::Kind::keyOutOfRange, effects);
            record.action = action.source;
            record.number = action.storedKey;
        }
        return;
    case Output::unpostableKey:
        if (isPressed) {
            reportUnpostable(action.storedKey, effects);
        }
        return;
    }
}

void RemapCore::hold(const CompiledAction& action, bool isPressed, Effects& effects,
                     bool byGesture) {
    const OutputEvent release = action.press.withPressed(false);
    // A held click ignores an edge that would not change it, so a lost
    // release never leads to a second button-down; Fn follows every edge.
    if (action.output != Output::followEdges && held_.holds(release) == isPressed) {
        return;
    }
    if (isPressed) {
        held_.add({.action = action.source,
                   .profile = profile_,
                   .release = release,
                   .byGesture = byGesture});
        effects.post(action.press);
    } else {
        held_.remove(release);
        effects.post(release);
    }
}

void RemapCore::reportUnpostable(int64_t storedKey, Effects& effects) {
    if (std::find(reportedUnpostable_.begin(), reportedUnpostable_.end(), storedKey) !=
        reportedUnpostable_.end()) {
        return;
    }
    reportedUnpostable_.push_back(storedKey);
    effects.text(TextRecord::Kind::unpostableKey).number = storedKey;
}

void RemapCore::releaseHeld(Effects& effects, bool logReason) {
    clearGestures(effects);
    keyboard_.releasePassed(effects);
    keyboard_.takeMapped(keyScratch_);
    held_.takeAll(holdScratch_);
    postReleases(effects, logReason);
}

void RemapCore::postReleases(Effects& effects, bool logReason) {
    for (HeldOutputs::Hold& hold : holdScratch_) {
        effects.post(hold.release);
        if (logReason) {
            TextRecord& record = effects.text(TextRecord::Kind::releasedOnDisconnect);
            record.action = hold.action;
            record.profile = std::move(hold.profile);
        }
    }
    holdScratch_.clear();
}

TapVerdict RemapCore::tap(const TapEvent& event, double now, Effects& effects) {
    if (const auto* key = std::get_if<MediaKey>(&event)) {
        return mediaKey(*key, effects);
    }
    return extraButton(std::get<ExtraButton>(event), now, effects);
}

TapVerdict RemapCore::mediaKey(const MediaKey& key, Effects& effects) {
    const std::optional<int64_t> keyCode = mediaKeyCodeOfUsage(key.usage);
    if (!keyCode || !profile_) {
        return TapVerdict::pass;
    }
    const ButtonMapping* mapping = mappingOfMediaKey(*profile_, key.usage);
    if (mapping == nullptr) {
        return TapVerdict::pass;
    }
    // The HID path decides the press; the system's copy of the release
    // follows that decision, so a key it was given down also comes up.
    // A button with gestures may yet do anything, so its key never passes.
    const MappingActions& actions = actionsOf(*mapping);
    if (!actions.hasGestures &&
        compiled_[key.pressed ? actions.inForce : actions.pressedAs].source->kind() == Kind::none) {
        return TapVerdict::pass;
    }
    if (key.pressed) {
        effects.text(TextRecord::Kind::suppressedMediaKey).number = *keyCode;
    }
    return TapVerdict::swallow;
}

TapVerdict RemapCore::extraButton(const ExtraButton& button, double now, Effects& effects) {
    if (button.number < static_cast<int>(hid::kFirstExtraButton) ||
        button.number > static_cast<int>(hid::kLastExtraButton) || !profile_) {
        return TapVerdict::pass;
    }
    const ButtonMapping* mapping =
        profile_->findMappingPointer(kButtonUsagePage, button.number, button.pressed ? 1 : 0);
    if (!mapping) {
        return TapVerdict::pass;
    }
    MappingActions& actions = actionsOf(*mapping);
    if (actions.hasGestures) {
        if (button.pressed) {
            suppressedMouseButton(button, compiled_[actions.inForce], effects);
        }
        gesture(*mapping, button.pressed, now, effects);
        return TapVerdict::swallow;
    }
    // Decided (and remembered) even when it passes: a button passed down
    // must be passed up too, whatever has the focus by then.
    const CompiledAction& action = decide(actions, button.pressed);
    if (action.source->kind() == Kind::none) {
        return TapVerdict::pass;
    }
    if (button.pressed) {
        suppressedMouseButton(button, action, effects);
    }
    run(*mapping, action, button.pressed, now, effects);
    return TapVerdict::swallow;
}

void RemapCore::suppressedMouseButton(const ExtraButton& button, const CompiledAction& action,
                                      Effects& effects) const {
    TextRecord& record = profileText(TextRecord::Kind::suppressedMouseButton, effects);
    record.action = action.source;
    record.number = button.number;
}

} // namespace bindwell
