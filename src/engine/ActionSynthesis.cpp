// What each action posts. Key taps post down and up together on the press and
// nothing on the release; Fn, the held clicks and held keystrokes follow the
// controller's button, down on press and up on release. The hold records make
// a lost release harmless: a second press posts no second button-down, and
// whatever is still held is let go when the controller leaves or the process
// exits.
#include "engine/HIDInterceptor.h"
#include "model/ActionKeys.h"
#include "model/VirtualKeyCodes.h"
#include "support/Log.h"

#include <algorithm>
#include <limits>

namespace bindwell {
namespace {

using Kind = RemapAction::Kind;

constexpr int kLeftButton = 0;
constexpr int kRightButton = 1;

uint64_t flagsOf(const KeyModifiers& modifiers) {
    uint64_t flags = 0;
    flags |= modifiers.command ? eventflag::command : 0;
    flags |= modifiers.shift ? eventflag::shift : 0;
    flags |= modifiers.option ? eventflag::option : 0;
    flags |= modifiers.control ? eventflag::control : 0;
    return flags;
}

// Key codes travel as 16 bits; a hand-edited file must not wrap into another key.
std::optional<uint16_t> postableKeyCode(int64_t keyCode, const std::string& displayName) {
    if (keyCode < 0 || keyCode > std::numeric_limits<uint16_t>::max()) {
        log("⚠️ Key code " + std::to_string(keyCode) + " out of range for " + displayName);
        return std::nullopt;
    }
    return static_cast<uint16_t>(keyCode);
}

MouseEventType heldClickEvent(int button, bool isPressed) {
    if (button == kLeftButton) {
        return isPressed ? MouseEventType::leftMouseDown : MouseEventType::leftMouseUp;
    }
    return isPressed ? MouseEventType::rightMouseDown : MouseEventType::rightMouseUp;
}

} // namespace

void HIDInterceptor::synthesize(const RemapAction& action, bool isPressed) {
    switch (action.kind()) {
    case Kind::none:
    case Kind::disabled:
        return;
    case Kind::fnKey:
        postFnKey(isPressed);
        return;
    case Kind::holdLeftClick:
        postHeldClick(holdLeftClickActive_, isPressed, kLeftButton);
        return;
    case Kind::holdRightClick:
        postHeldClick(holdRightClickActive_, isPressed, kRightButton);
        return;
    case Kind::holdKeystroke:
        postHeldKeystroke(action, isPressed);
        return;
    default:
        break;
    }
    if (!isPressed) {
        return;
    }
    if (const auto key = actionKey(action)) {
        postKeyTap(key->keyCode, flagsOf(key->modifiers), action.displayName());
    }
}

void HIDInterceptor::postKeyTap(int64_t keyCode, uint64_t flags, const std::string& displayName) {
    const std::optional<uint16_t> code = postableKeyCode(keyCode, displayName);
    if (!code) {
        return;
    }
    EventPoster& poster = platform_.eventPoster();
    poster.postKey(*code, true, flags);
    poster.postKey(*code, false, flags);
}

void HIDInterceptor::postHeldClick(bool& holdActive, bool isPressed, int button) {
    if (holdActive == isPressed) {
        return;
    }
    holdActive = isPressed;
    platform_.eventPoster().postMouseButton(heldClickEvent(button, isPressed), button);
}

void HIDInterceptor::postFnKey(bool isPressed) {
    fnKeyHeld_ = isPressed;
    platform_.eventPoster().postKey(static_cast<uint16_t>(vk::kFunction), isPressed, 0);
}

void HIDInterceptor::postHeldKeystroke(const RemapAction& action, bool isPressed) {
    const KeystrokeAction& keystroke = action.keystrokeAction();
    const std::optional<uint16_t> code = postableKeyCode(keystroke.keyCode, keystroke.displayName);
    if (!code) {
        return;
    }
    const HeldKey key{*code, flagsOf(keystroke.modifiers), action};
    const auto held = std::find(heldKeys_.begin(), heldKeys_.end(), key);
    if ((held != heldKeys_.end()) == isPressed) {
        return;
    }
    platform_.eventPoster().postKey(key.keyCode, isPressed, key.flags);
    if (isPressed) {
        heldKeys_.push_back(key);
    } else {
        heldKeys_.erase(held);
    }
}

void HIDInterceptor::releaseHeldOutput(std::string_view reason) {
    // The release of a held button will never arrive (the controller is gone,
    // or the process is ending); without this the desktop would keep a mouse
    // button, Fn or a shortcut's keys down.
    const auto logRelease = [reason](const RemapAction& action) {
        log("Released " + action.displayName() + ": " + std::string(reason));
    };
    if (holdLeftClickActive_) {
        logRelease(RemapAction::holdLeftClick());
        postHeldClick(holdLeftClickActive_, false, kLeftButton);
    }
    if (holdRightClickActive_) {
        logRelease(RemapAction::holdRightClick());
        postHeldClick(holdRightClickActive_, false, kRightButton);
    }
    if (fnKeyHeld_) {
        logRelease(RemapAction::fnKey());
        postFnKey(false);
    }
    while (!heldKeys_.empty()) {
        const HeldKey key = heldKeys_.back();
        logRelease(key.action);
        postHeldKeystroke(key.action, false);
    }
}

} // namespace bindwell
