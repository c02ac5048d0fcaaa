#include "platform/linux/PostedKeyNames.h"

#include "model/ActionKeys.h"
#include "platform/linux/VirtualKeyTable.h"

#include <libevdev/libevdev.h>
#include <linux/input-event-codes.h>

namespace bindwell::linuxplatform {
namespace {

std::string keyName(uint16_t code) {
    const char* name = libevdev_event_code_get_name(EV_KEY, code);
    return name != nullptr ? name : "key " + std::to_string(code);
}

std::string keysOf(const KeyCombination& combination) {
    std::string text;
    for (const uint16_t modifier : modifierKeysFor(combination.modifiers)) {
        text += keyName(modifier) + "+";
    }
    const std::optional<uint16_t> key = linuxKeyForVirtualKey(combination.keyCode);
    return text +
           (key ? keyName(*key) : "no Linux key for code " + std::to_string(combination.keyCode));
}

} // namespace

std::string describePostedKeys(const RemapAction& action) {
    using Kind = RemapAction::Kind;
    switch (action.kind()) {
    case Kind::none:
        return "passthrough";
    case Kind::disabled:
        return "nothing";
    case Kind::holdLeftClick:
        return "hold " + keyName(BTN_LEFT);
    case Kind::holdRightClick:
        return "hold " + keyName(BTN_RIGHT);
    default:
        break;
    }
    const std::optional<KeyCombination> key = actionKey(action);
    if (!key) {
        return "nothing";
    }
    const bool held = action.kind() == Kind::fnKey || action.kind() == Kind::holdKeystroke;
    return (held ? "hold " : "") + keysOf(*key);
}

} // namespace bindwell::linuxplatform
