#include "platform/linux/VirtualKeyTable.h"

#include "engine/ports/EventPoster.h"
#include "model/VirtualKeyCodes.h"

#include <algorithm>
#include <array>
#include <linux/input-event-codes.h>

namespace bindwell::linuxplatform {
namespace {

struct KeyPair {
    int64_t virtualKey;
    uint16_t linuxKey;
};

constexpr std::array<KeyPair, 53> kKeys{{
    {vk::kA, KEY_A},
    {vk::kS, KEY_S},
    {vk::kD, KEY_D},
    {vk::kF, KEY_F},
    {vk::kH, KEY_H},
    {vk::kG, KEY_G},
    {vk::kZ, KEY_Z},
    {vk::kX, KEY_X},
    {vk::kC, KEY_C},
    {vk::kV, KEY_V},
    {vk::kB, KEY_B},
    {vk::kQ, KEY_Q},
    {vk::kW, KEY_W},
    {vk::kE, KEY_E},
    {vk::kR, KEY_R},
    {vk::kY, KEY_Y},
    {vk::kT, KEY_T},
    {vk::k1, KEY_1},
    {vk::k2, KEY_2},
    {vk::k3, KEY_3},
    {vk::k4, KEY_4},
    {vk::k6, KEY_6},
    {vk::k5, KEY_5},
    {vk::kEqual, KEY_EQUAL},
    {vk::k9, KEY_9},
    {vk::k7, KEY_7},
    {vk::kMinus, KEY_MINUS},
    {vk::k8, KEY_8},
    {vk::k0, KEY_0},
    {vk::kRightBracket, KEY_RIGHTBRACE},
    {vk::kO, KEY_O},
    {vk::kU, KEY_U},
    {vk::kLeftBracket, KEY_LEFTBRACE},
    {vk::kI, KEY_I},
    {vk::kP, KEY_P},
    {vk::kReturn, KEY_ENTER},
    {vk::kL, KEY_L},
    {vk::kJ, KEY_J},
    {vk::kQuote, KEY_APOSTROPHE},
    {vk::kK, KEY_K},
    {vk::kSemicolon, KEY_SEMICOLON},
    {vk::kBackslash, KEY_BACKSLASH},
    {vk::kComma, KEY_COMMA},
    {vk::kSlash, KEY_SLASH},
    {vk::kN, KEY_N},
    {vk::kM, KEY_M},
    {vk::kPeriod, KEY_DOT},
    {vk::kTab, KEY_TAB},
    {vk::kSpace, KEY_SPACE},
    {vk::kGrave, KEY_GRAVE},
    {vk::kDelete, KEY_BACKSPACE},
    {vk::kEscape, KEY_ESC},
    {vk::kFunction, KEY_FN},
}};

struct ModifierPair {
    uint64_t flag;
    uint16_t linuxKey;
};

// Command becomes Ctrl so that the catalogue's "⌘C Copy" copies on a Linux
// desktop; Control then takes the Super key, the one Linux key left over.
constexpr std::array<ModifierPair, 4> kModifiers{{
    {eventflag::command, KEY_LEFTCTRL},
    {eventflag::control, KEY_LEFTMETA},
    {eventflag::option, KEY_LEFTALT},
    {eventflag::shift, KEY_LEFTSHIFT},
}};

std::vector<uint16_t> buildPostableKeys() {
    std::vector<uint16_t> keys;
    for (const KeyPair& pair : kKeys) {
        keys.push_back(pair.linuxKey);
    }
    for (const ModifierPair& pair : kModifiers) {
        keys.push_back(pair.linuxKey);
    }
    return keys;
}

} // namespace

std::optional<uint16_t> linuxKeyForVirtualKey(int64_t virtualKey) {
    const auto* it = std::find_if(kKeys.begin(), kKeys.end(), [virtualKey](const KeyPair& pair) {
        return pair.virtualKey == virtualKey;
    });
    return it == kKeys.end() ? std::nullopt : std::optional<uint16_t>(it->linuxKey);
}

std::vector<uint16_t> modifierKeysForFlags(uint64_t flags) {
    std::vector<uint16_t> keys;
    for (const ModifierPair& pair : kModifiers) {
        if ((flags & pair.flag) != 0) {
            keys.push_back(pair.linuxKey);
        }
    }
    return keys;
}

std::span<const uint16_t> postableKeys() {
    static const std::vector<uint16_t> keys = buildPostableKeys();
    return keys;
}

} // namespace bindwell::linuxplatform
