#include "model/ActionKeys.h"

#include "model/VirtualKeyCodes.h"

namespace bindwell {

std::optional<KeyCombination> actionKey(const RemapAction& action) {
    using Kind = RemapAction::Kind;
    if (action.hasKeystroke()) {
        const KeystrokeAction& keystroke = action.keystrokeAction();
        return KeyCombination{keystroke.keyCode, keystroke.modifiers};
    }
    switch (action.kind()) {
    case Kind::fnKey:
        return KeyCombination{vk::kFunction, {}};
    case Kind::enterKey:
        return KeyCombination{vk::kReturn, {}};
    case Kind::escapeKey:
        return KeyCombination{vk::kEscape, {}};
    case Kind::spaceBar:
        return KeyCombination{vk::kSpace, {}};
    case Kind::tabKey:
        return KeyCombination{vk::kTab, {}};
    case Kind::undoRedo:
        return KeyCombination{vk::kZ, {.command = true}};
    default:
        return std::nullopt;
    }
}

} // namespace bindwell
