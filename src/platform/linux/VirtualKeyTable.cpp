#include "platform/linux/VirtualKeyTable.h"

#include "model/VirtualKeyCodes.h"
#include "platform/linux/HidKeyTable.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <linux/input-event-codes.h>
#include <vector>

namespace bindwell::linuxplatform {
namespace {

struct KeyPair {
    int64_t virtualKey;
    uint16_t linuxKey;
};

constexpr KeyPair kKeys[] = {
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
    {vk::kF1, KEY_F1},
    {vk::kF2, KEY_F2},
    {vk::kF3, KEY_F3},
    {vk::kF4, KEY_F4},
    {vk::kF5, KEY_F5},
    {vk::kF6, KEY_F6},
    {vk::kF7, KEY_F7},
    {vk::kF8, KEY_F8},
    {vk::kF9, KEY_F9},
    {vk::kF10, KEY_F10},
    {vk::kF11, KEY_F11},
    {vk::kF12, KEY_F12},
    // What a keyboard's Print Screen key sends, so that window managers which
    // grab the Print symbol on its first key code (openbox) see it too. With
    // Alt held it becomes KEY_PRINT: see linuxKeyFor.
    {vk::kPrint, KEY_SYSRQ},
    {vk::kInsert, KEY_INSERT},
    {vk::kHome, KEY_HOME},
    {vk::kPageUp, KEY_PAGEUP},
    {vk::kForwardDelete, KEY_DELETE},
    {vk::kEnd, KEY_END},
    {vk::kPageDown, KEY_PAGEDOWN},
    {vk::kLeftArrow, KEY_LEFT},
    {vk::kRightArrow, KEY_RIGHT},
    {vk::kDownArrow, KEY_DOWN},
    {vk::kUpArrow, KEY_UP},
};

struct ModifierPair {
    bool KeyModifiers::*field;
    uint16_t linuxKey;
};

// Command becomes Ctrl, so a file written on the other platform copies with
// its Command-C; Control then takes the Super key, the one Linux key left
// over. Listed in the order shortcuts are written (Ctrl, Alt, Shift, Super),
// which is also the order they are pressed.
constexpr std::array<ModifierPair, 4> kModifiers{{
    {&KeyModifiers::command, KEY_LEFTCTRL},
    {&KeyModifiers::option, KEY_LEFTALT},
    {&KeyModifiers::shift, KEY_LEFTSHIFT},
    {&KeyModifiers::control, KEY_LEFTMETA},
}};

std::vector<uint16_t> buildPostableKeys() {
    std::vector<uint16_t> keys;
    for (const KeyPair& pair : kKeys) {
        keys.push_back(pair.linuxKey);
    }
    for (const ModifierPair& pair : kModifiers) {
        keys.push_back(pair.linuxKey);
    }
    keys.push_back(KEY_PRINT);
    // A keyboard-key device's other keys pass through unchanged.
    for (const uint16_t key : keyboardPageKeys()) {
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
            keys.push_back(key);
        }
    }
    return keys;
}

} // namespace

std::optional<uint16_t> linuxKeyFor(const KeyCombination& combination) {
    const int64_t virtualKey = combination.keyCode;
    const auto* it =
        std::find_if(std::begin(kKeys), std::end(kKeys),
                     [virtualKey](const KeyPair& pair) { return pair.virtualKey == virtualKey; });
    if (it == std::end(kKeys)) {
        return std::nullopt;
    }
    // Alt with KEY_SYSRQ is the kernel's SysRq: held, it would take the
    // user's next keys as system commands. KEY_PRINT gives desktops the same
    // Print symbol without arming it.
    if (it->linuxKey == KEY_SYSRQ && combination.modifiers.option) {
        return KEY_PRINT;
    }
    return it->linuxKey;
}

ModifierKeys modifierKeysFor(const KeyModifiers& modifiers) {
    ModifierKeys keys;
    for (const ModifierPair& pair : kModifiers) {
        if (modifiers.*pair.field) {
            keys.keys[keys.count++] = pair.linuxKey;
        }
    }
    return keys;
}

std::span<const uint16_t> postableKeys() {
    static const std::vector<uint16_t> keys = buildPostableKeys();
    return keys;
}

} // namespace bindwell::linuxplatform
