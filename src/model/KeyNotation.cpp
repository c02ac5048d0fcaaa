#include "model/KeyNotation.h"

#include "model/VirtualKeyCodes.h"

#include <algorithm>
#include <iterator>

namespace bindwell {
namespace {

struct NamedKey {
    int64_t keyCode;
    std::string_view name;
};

using namespace vk;

// Short names of the kind desktop shortcut editors print ("Esc", "PgUp");
// punctuation keys are named by the character they type without Shift.
constexpr NamedKey kNames[] = {
    {kA, "A"},
    {kB, "B"},
    {kC, "C"},
    {kD, "D"},
    {kE, "E"},
    {kF, "F"},
    {kG, "G"},
    {kH, "H"},
    {kI, "I"},
    {kJ, "J"},
    {kK, "K"},
    {kL, "L"},
    {kM, "M"},
    {kN, "N"},
    {kO, "O"},
    {kP, "P"},
    {kQ, "Q"},
    {kR, "R"},
    {kS, "S"},
    {kT, "T"},
    {kU, "U"},
    {kV, "V"},
    {kW, "W"},
    {kX, "X"},
    {kY, "Y"},
    {kZ, "Z"},
    {k0, "0"},
    {k1, "1"},
    {k2, "2"},
    {k3, "3"},
    {k4, "4"},
    {k5, "5"},
    {k6, "6"},
    {k7, "7"},
    {k8, "8"},
    {k9, "9"},
    {kF1, "F1"},
    {kF2, "F2"},
    {kF3, "F3"},
    {kF4, "F4"},
    {kF5, "F5"},
    {kF6, "F6"},
    {kF7, "F7"},
    {kF8, "F8"},
    {kF9, "F9"},
    {kF10, "F10"},
    {kF11, "F11"},
    {kF12, "F12"},
    {kEqual, "="},
    {kMinus, "-"},
    {kLeftBracket, "["},
    {kRightBracket, "]"},
    {kQuote, "'"},
    {kSemicolon, ";"},
    {kBackslash, "\\"},
    {kComma, ","},
    {kSlash, "/"},
    {kPeriod, "."},
    {kGrave, "`"},
    {kReturn, "Enter"},
    {kTab, "Tab"},
    {kSpace, "Space"},
    {kDelete, "Backspace"},
    {kForwardDelete, "Delete"},
    {kEscape, "Esc"},
    {kInsert, "Insert"},
    {kHome, "Home"},
    {kEnd, "End"},
    {kPageUp, "PgUp"},
    {kPageDown, "PgDown"},
    {kLeftArrow, "Left"},
    {kRightArrow, "Right"},
    {kUpArrow, "Up"},
    {kDownArrow, "Down"},
    {kPrint, "Print"},
    {kFunction, "Fn"},
};

} // namespace

std::optional<std::string_view> keyName(int64_t keyCode) {
    const auto* found =
        std::find_if(std::begin(kNames), std::end(kNames),
                     [keyCode](const NamedKey& key) { return key.keyCode == keyCode; });
    if (found == std::end(kNames)) {
        return std::nullopt;
    }
    return found->name;
}

std::optional<std::string> shortcutNotation(int64_t keyCode, const KeyModifiers& modifiers) {
    const std::optional<std::string_view> key = keyName(keyCode);
    if (!key) {
        return std::nullopt;
    }
    std::string text;
    const auto add = [&text](bool held, std::string_view name) {
        if (held) {
            text.append(name).append("+");
        }
    };
    add(modifiers.command, "Ctrl");
    add(modifiers.option, "Alt");
    add(modifiers.shift, "Shift");
    add(modifiers.control, "Super");
    text.append(*key);
    return text;
}

} // namespace bindwell
