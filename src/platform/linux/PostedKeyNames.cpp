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

std::string modifiersThen(const KeyModifiers& modifiers, std::string key) {
    std::string text;
    for (const uint16_t modifier : modifierKeysFor(modifiers)) {
        text += keyName(modifier) + "+";
    }
    return text + key;
}

std::string keysOf(const KeyCombination& combination) {
    const std::optional<uint16_t> key = linuxKeyFor(combination);
    return modifiersThen(combination.modifiers,
                         key ? keyName(*key)
                             : "no Linux key for code " + std::to_string(combination.keyCode));
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

std::string describeOutputEvent(const OutputEvent& event) {
    const std::string direction = event.pressed ? " down" : " up";
    if (event.kind == OutputEvent::Kind::pointerButton) {
        return keyName(event.button == OutputEvent::Button::left ? BTN_LEFT : BTN_RIGHT) +
               direction;
    }
    return modifiersThen(event.modifiers, keyName(event.key)) + direction;
}

std::optional<uint16_t> keyCodeNamed(std::string_view name) {
    const int code = libevdev_event_code_from_name_n(EV_KEY, name.data(), name.size());
    if (code < 0) {
        return std::nullopt;
    }
    return static_cast<uint16_t>(code);
}

} // namespace bindwell::linuxplatform
