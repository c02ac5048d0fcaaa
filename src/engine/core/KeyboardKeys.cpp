#include "engine/core/KeyboardKeys.h"

#include "model/HIDButtonSource.h"

#include <algorithm>

namespace bindwell {
namespace {

// A key the system has no code for cannot go out; it is dropped.
void postKey(Effects& effects, const KeyboardKeys::Key& key, bool pressed) {
    if (key.code != 0) {
        effects.post(OutputEvent::keyEvent(key.code, {}, pressed));
    }
}

} // namespace

bool KeyboardKeys::isDown(uint32_t usage) const {
    return std::any_of(down_.begin(), down_.end(),
                       [usage](const Key& key) { return key.usage == usage; });
}

uint8_t KeyboardKeys::heldModifiers() const {
    uint8_t modifiers = 0;
    for (const Key& key : down_) {
        if (key.fate != Fate::mapped) {
            modifiers |= modifierBit(key.usage).value_or(0);
        }
    }
    return modifiers;
}

std::optional<KeyboardKeys::Key> KeyboardKeys::release(uint32_t usage) {
    const auto found = std::find_if(down_.begin(), down_.end(),
                                    [usage](const Key& key) { return key.usage == usage; });
    if (found == down_.end()) {
        return std::nullopt;
    }
    const Key key = *found;
    down_.erase(found);
    return key;
}

void KeyboardKeys::pass(const Key& key, Effects& effects) {
    postKey(effects, key, true);
    down_.push_back(key);
}

void KeyboardKeys::letGo(const Key& key, Effects& effects) {
    if (key.fate == Fate::heldBack) {
        postKey(effects, key, true);
    }
    if (key.fate == Fate::heldBack || key.fate == Fate::passed) {
        postKey(effects, key, false);
    }
}

void KeyboardKeys::consumeHeldBack() {
    for (Key& key : down_) {
        if (key.fate == Fate::heldBack) {
            key.fate = Fate::consumed;
        }
    }
}

// A modifier a mapped key consumed is still down on the device, so a later
// key that passes needs it as much as one never consumed.
void KeyboardKeys::passHeldBack(Effects& effects) {
    for (Key& key : down_) {
        if (key.fate == Fate::heldBack || key.fate == Fate::consumed) {
            key.fate = Fate::passed;
            postKey(effects, key, true);
        }
    }
}

void KeyboardKeys::releasePassed(Effects& effects) {
    for (auto key = down_.rbegin(); key != down_.rend(); ++key) {
        if (key->fate == Fate::passed) {
            postKey(effects, *key, false);
        }
    }
    std::erase_if(down_, [](const Key& key) { return key.fate != Fate::mapped; });
}

void KeyboardKeys::takeMapped(std::vector<Key>& taken) {
    taken.clear();
    for (const Key& key : down_) {
        if (key.fate == Fate::mapped) {
            taken.push_back(key);
        }
    }
    std::erase_if(down_, [](const Key& key) { return key.fate == Fate::mapped; });
}

} // namespace bindwell
