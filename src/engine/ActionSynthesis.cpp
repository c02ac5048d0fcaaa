// What each action posts. Key taps post down and up together on the press and
// nothing on the release; Fn and the held clicks follow the controller's
// button, down on press and up on release. The hold flags make a lost release
// harmless: a second press posts no second button-down.
#include "engine/HIDInterceptor.h"
#include "model/VirtualKeyCodes.h"
#include "support/Log.h"

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
    default:
        break;
    }
    if (!isPressed) {
        return;
    }
    if (action.isKeystroke()) {
        const KeystrokeAction& keystroke = action.keystrokeAction();
        postKeyTap(keystroke.keyCode, flagsOf(keystroke.modifiers), keystroke.displayName);
    } else if (const auto tap = fixedKeyTap(action.kind())) {
        postKeyTap(tap->keyCode, tap->flags, action.displayName());
    }
}

void HIDInterceptor::postKeyTap(int64_t keyCode, uint64_t flags, const std::string& displayName) {
    // Key codes travel as 16 bits; a hand-edited file must not wrap into another key.
    if (keyCode < 0 || keyCode > std::numeric_limits<uint16_t>::max()) {
        log("⚠️ Key code " + std::to_string(keyCode) + " out of range for " + displayName);
        return;
    }
    EventPoster& poster = platform_.eventPoster();
    poster.postKey(static_cast<uint16_t>(keyCode), true, flags);
    poster.postKey(static_cast<uint16_t>(keyCode), false, flags);
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

} // namespace bindwell
