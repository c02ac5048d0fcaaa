// Any thread; one owner at a time (the controller's core).
#pragma once

#include "engine/core/Effects.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace bindwell {

// The keys a keyboard-key device holds down, and what became of each: passed
// on to the desktop, taken by a mapping, or (a modifier) held back until the
// device's next key decides. Unlike a button's action, a passed key is owed
// a release on the virtual keyboard, so anything that ends the capture lets
// go of those here.
class KeyboardKeys final {
public:
    enum class Fate : uint8_t { passed, mapped, heldBack, consumed };
    struct Key {
        uint32_t usage = 0;
        // The system's key for it, posted when it passes (0: none known).
        uint16_t code = 0;
        // The device's modifiers when it went down: a mapped key's release
        // finds its mapping with them.
        uint8_t modifiers = 0;
        Fate fate = Fate::passed;
    };

    [[nodiscard]] bool isDown(uint32_t usage) const;
    // The modifier keys the device holds down, except those a mapping took.
    [[nodiscard]] uint8_t heldModifiers() const;
    // A key goes down without going out (mapped, or a modifier held back).
    void press(const Key& key) { down_.push_back(key); }
    // A key goes down and out.
    void pass(const Key& key, Effects& effects);
    // Forgets the key and returns what it was.
    [[nodiscard]] std::optional<Key> release(uint32_t usage);
    // Posts what a released key owes the desktop: a passed key's release, or
    // a whole tap for a modifier held back with no key after it.
    static void letGo(const Key& key, Effects& effects);

    // The next key is mapped: the held-back modifiers never go out, and
    // their releases with them.
    void consumeHeldBack();
    // The next key passes: the modifiers it was pressed with go out first,
    // in the order they went down.
    void passHeldBack(Effects& effects);
    // Posts the release of every passed key, last pressed first, and forgets
    // every key but the mapped ones, whose releases still end their actions.
    void releasePassed(Effects& effects);
    // The mapped keys still down, forgotten.
    void takeMapped(std::vector<Key>& taken);

private:
    std::vector<Key> down_;
};

} // namespace bindwell
