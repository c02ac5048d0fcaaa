// The engine's decision core. Dispatch: a value of a tracked interface goes
// to at most one mapping; pointer motion never reaches the lookup. Array
// fields get one repair beyond a plain lookup: their "array empty" value
// releases whatever was pressed through them (see ArrayElementPresses).
//
// Synthesis: key taps post down and up together on the press and nothing on
// the release; Fn and the held clicks follow the controller's button. Every
// output that stays down lives in HeldOutputs, so a lost release is harmless
// (a second press of a held click posts no second button-down) and unplug,
// stop and exit can release everything without knowing what it is.
//
// Tap: media keys get their action from the HID path, so the tap only
// swallows the system's copy of a mapped key (an unseized interface reaches
// the system too) and performs nothing. Extra pointer buttons reach us only
// through the tap, so for them the tap is the input path: look up, perform,
// publish, swallow. A button mapped to "Default (No Remap)" passes.
//
// Rejected: returning a verdict and letting the caller post. The order of
// log lines and posts is part of the observable behaviour, so the core
// records every effect in order and the driver decides when to perform each.
#include "engine/core/RemapCore.h"

#include "engine/core/InputEventText.h"
#include "engine/core/MediaKeyTable.h"
#include "model/VirtualKeyCodes.h"

#include <limits>
#include <optional>

namespace bindwell {
namespace {

using Kind = RemapAction::Kind;

constexpr uint32_t kPointerX = 0x30;
constexpr uint32_t kPointerY = 0x31;
constexpr uint32_t kWheel = 0x38;
constexpr uint32_t kVolumeUpUsage = 0xE9;
constexpr uint32_t kVolumeDownUsage = 0xEA;
constexpr int kFirstExtraButton = 3;
constexpr int kLastExtraButton = 5;
constexpr int kLeftButton = 0;
constexpr int kRightButton = 1;

bool isPointerMotion(const HidInputValue& value) {
    if (value.usagePage != kGenericDesktopUsagePage) {
        return false;
    }
    return value.usage == kPointerX || value.usage == kPointerY ||
           (value.usage == kWheel && value.value == 0);
}

uint64_t flagsOf(const KeyModifiers& modifiers) {
    uint64_t flags = 0;
    flags |= modifiers.command ? eventflag::command : 0;
    flags |= modifiers.shift ? eventflag::shift : 0;
    flags |= modifiers.option ? eventflag::option : 0;
    flags |= modifiers.control ? eventflag::control : 0;
    return flags;
}

struct KeyTap {
    int64_t keyCode;
    uint64_t flags;
};

// The tap of a named key or of undo; nothing for the other payload-free kinds.
std::optional<KeyTap> fixedKeyTap(Kind kind) {
    switch (kind) {
    case Kind::enterKey:
        return KeyTap{vk::kReturn, 0};
    case Kind::escapeKey:
        return KeyTap{vk::kEscape, 0};
    case Kind::spaceBar:
        return KeyTap{vk::kSpace, 0};
    case Kind::tabKey:
        return KeyTap{vk::kTab, 0};
    case Kind::undoRedo:
        return KeyTap{vk::kZ, eventflag::command};
    default:
        return std::nullopt;
    }
}

void postKeyTap(int64_t keyCode, uint64_t flags, const std::string& displayName, Effects& effects) {
    // Key codes travel as 16 bits; a hand-edited file must not wrap into another key.
    if (keyCode < 0 || keyCode > std::numeric_limits<uint16_t>::max()) {
        effects.log("⚠️ Key code " + std::to_string(keyCode) + " out of range for " +
                    displayName);
        return;
    }
    effects.post(OutputEvent::key(static_cast<uint16_t>(keyCode), true, flags));
    effects.post(OutputEvent::key(static_cast<uint16_t>(keyCode), false, flags));
}

OutputEvent clickEvent(int button, bool isPressed) {
    if (button == kLeftButton) {
        return OutputEvent::mouse(
            isPressed ? MouseEventType::leftMouseDown : MouseEventType::leftMouseUp, button);
    }
    return OutputEvent::mouse(
        isPressed ? MouseEventType::rightMouseDown : MouseEventType::rightMouseUp, button);
}

// The mapping a media key stands for: its own usage, else the array-element
// form, where only the volume keys carry their usage as the element's value.
const ButtonMapping* mappingOfMediaKey(const DeviceProfile& profile, uint32_t usage) {
    if (const ButtonMapping* mapping = profile.findMappingPointer(kConsumerUsagePage, usage, 1)) {
        return mapping;
    }
    const int64_t arrayValue = (usage == kVolumeUpUsage || usage == kVolumeDownUsage) ? usage : 0;
    return profile.findMappingPointer(kConsumerUsagePage, kArrayElementUsage, arrayValue);
}

} // namespace

void RemapCore::input(const HidInputValue& value, double now, Effects& effects) {
    if (isPointerMotion(value)) {
        return;
    }
    effects.log() = hidEventLine(value.usagePage, value.usage, value.value);
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
        effects.log() = unmappedButtonLine(value.usagePage, value.usage, value.value);
        effects.lastEvent() = unmappedButtonEvent(value.usagePage, value.usage);
    }
}

void RemapCore::dispatch(const ButtonMapping& mapping, bool isPressed, double now,
                         Effects& effects) {
    perform(mapping.action, isPressed, now, effects);
    effects.lastEvent().append(mapping.label).append(" → ").append(mapping.action.displayName());
}

void RemapCore::releaseArrayElement(const HidInputValue& value, double now, Effects& effects) {
    for (const ButtonMapping& mapping :
         arrayPresses_.takeAll(value.device.get(), value.usagePage)) {
        dispatch(mapping, false, now, effects);
    }
}

void RemapCore::perform(const RemapAction& action, bool isPressed, double now, Effects& effects) {
    if (isPressed) {
        const DedupeGate::Verdict verdict = gate_.admitPress(action, now);
        if (!verdict.admitted) {
            effects.log("⏭️ Deduplicated " + action.displayName() + " (fired " +
                        std::to_string(verdict.elapsedMilliseconds) + "ms ago)");
            return;
        }
    }
    synthesize(action, isPressed, effects);
}

void RemapCore::synthesize(const RemapAction& action, bool isPressed, Effects& effects) {
    switch (action.kind()) {
    case Kind::none:
    case Kind::disabled:
        return;
    case Kind::fnKey: {
        const auto fn = static_cast<uint16_t>(vk::kFunction);
        hold(action, OutputEvent::key(fn, true), OutputEvent::key(fn, false), true, isPressed,
             effects);
        return;
    }
    case Kind::holdLeftClick:
        hold(action, clickEvent(kLeftButton, true), clickEvent(kLeftButton, false), false,
             isPressed, effects);
        return;
    case Kind::holdRightClick:
        hold(action, clickEvent(kRightButton, true), clickEvent(kRightButton, false), false,
             isPressed, effects);
        return;
    default:
        break;
    }
    if (!isPressed) {
        return;
    }
    if (action.isKeystroke()) {
        const KeystrokeAction& keystroke = action.keystrokeAction();
        postKeyTap(keystroke.keyCode, flagsOf(keystroke.modifiers), keystroke.displayName, effects);
    } else if (const auto tap = fixedKeyTap(action.kind())) {
        postKeyTap(tap->keyCode, tap->flags, action.displayName(), effects);
    }
}

void RemapCore::hold(const RemapAction& action, const OutputEvent& press,
                     const OutputEvent& release, bool followsEveryEdge, bool isPressed,
                     Effects& effects) {
    // A held click ignores an edge that would not change it, so a lost
    // release never leads to a second button-down; Fn follows every edge.
    if (!followsEveryEdge && held_.holds(release) == isPressed) {
        return;
    }
    if (isPressed) {
        held_.add(action, release);
        effects.post(press);
    } else {
        held_.remove(release);
        effects.post(release);
    }
}

void RemapCore::releaseHeld(Effects& effects, bool logReason) {
    for (const HeldOutputs::Hold& hold : held_.takeAll()) {
        if (logReason) {
            effects.log("Released " + hold.action.displayName() + ": the controller disconnected");
        }
        effects.post(hold.release);
    }
}

TapVerdict RemapCore::tap(const TapEvent& event, double now, Effects& effects) {
    if (const auto* key = std::get_if<MediaKey>(&event)) {
        return mediaKey(*key, effects);
    }
    return extraButton(std::get<ExtraButton>(event), now, effects);
}

TapVerdict RemapCore::mediaKey(const MediaKey& key, Effects& effects) const {
    const std::optional<int64_t> keyCode = mediaKeyCodeOfUsage(key.usage);
    if (!keyCode || !profile_) {
        return TapVerdict::pass;
    }
    const ButtonMapping* mapping = mappingOfMediaKey(*profile_, key.usage);
    if (!mapping || mapping->action.kind() == Kind::none) {
        return TapVerdict::pass;
    }
    if (key.pressed) {
        effects.log("🚫 Suppressed media key: " + std::to_string(*keyCode));
    }
    return TapVerdict::swallow;
}

TapVerdict RemapCore::extraButton(const ExtraButton& button, double now, Effects& effects) {
    if (button.number < kFirstExtraButton || button.number > kLastExtraButton || !profile_) {
        return TapVerdict::pass;
    }
    const ButtonMapping* mapping =
        profile_->findMappingPointer(kButtonUsagePage, button.number, button.pressed ? 1 : 0);
    if (!mapping || mapping->action.kind() == Kind::none) {
        return TapVerdict::pass;
    }
    if (button.pressed) {
        effects.log("🚫 Suppressed mouse button " + std::to_string(button.number) + " → " +
                    mapping->action.displayName());
    }
    dispatch(*mapping, button.pressed, now, effects);
    return TapVerdict::swallow;
}

} // namespace bindwell
