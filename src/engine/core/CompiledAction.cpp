#include "engine/core/CompiledAction.h"

#include "model/ActionKeys.h"

#include <limits>

namespace bindwell {
namespace {

using Kind = RemapAction::Kind;
using Output = CompiledAction::Output;

CompiledAction compiled(Output output, const OutputEvent& press = {}, int64_t storedKey = 0) {
    CompiledAction action;
    action.output = output;
    action.press = press;
    action.storedKey = storedKey;
    return action;
}

CompiledAction click(OutputEvent::Button button) {
    return compiled(Output::hold, OutputEvent::buttonEvent(button, true));
}

// Key codes travel as 16 bits; a hand-edited file must not wrap into another key.
bool fitsKeyCode(int64_t keyCode) {
    return keyCode >= 0 && keyCode <= std::numeric_limits<uint16_t>::max();
}

Output keyOutput(Kind kind) {
    switch (kind) {
    case Kind::fnKey:
        return Output::followEdges;
    case Kind::holdKeystroke:
        return Output::hold;
    default:
        return Output::tap;
    }
}

} // namespace

CompiledAction compileAction(const RemapAction& action, const OutputKeyOf& keyOf) {
    switch (action.kind()) {
    case Kind::holdLeftClick:
        return click(OutputEvent::Button::left);
    case Kind::holdRightClick:
        return click(OutputEvent::Button::right);
    default:
        break;
    }
    const std::optional<KeyCombination> combination = actionKey(action);
    if (!combination) {
        return {};
    }
    const int64_t stored = combination->keyCode;
    if (!fitsKeyCode(stored)) {
        return compiled(Output::keyOutOfRange, {}, stored);
    }
    const std::optional<uint16_t> key = keyOf(*combination);
    if (!key) {
        return compiled(Output::unpostableKey, {}, stored);
    }
    return compiled(keyOutput(action.kind()),
                    OutputEvent::keyEvent(*key, combination->modifiers, true), stored);
}

} // namespace bindwell
