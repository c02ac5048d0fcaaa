// Qt reports the key a press produced under the user's layout (Shift+1 arrives
// as "!"), so symbols are folded back onto the key that types them on the US
// layout, whose positions the portable key codes name. The label is written
// from the stored code and modifiers, never from the event's text, so it
// always names exactly what will be posted.
#include "ui/ShortcutRecorder.h"

#include "model/KeyNotation.h"
#include "model/RemapAction.h"
#include "model/VirtualKeyCodes.h"
#include "ui/ActionMaps.h"

#include <QKeySequence>
#include <algorithm>
#include <iterator>

namespace bindwell {
namespace {

struct QtKeyPair {
    int qtKey;
    int64_t keyCode;
};

using namespace vk;

constexpr QtKeyPair kKeys[] = {
    {Qt::Key_A, kA},
    {Qt::Key_B, kB},
    {Qt::Key_C, kC},
    {Qt::Key_D, kD},
    {Qt::Key_E, kE},
    {Qt::Key_F, kF},
    {Qt::Key_G, kG},
    {Qt::Key_H, kH},
    {Qt::Key_I, kI},
    {Qt::Key_J, kJ},
    {Qt::Key_K, kK},
    {Qt::Key_L, kL},
    {Qt::Key_M, kM},
    {Qt::Key_N, kN},
    {Qt::Key_O, kO},
    {Qt::Key_P, kP},
    {Qt::Key_Q, kQ},
    {Qt::Key_R, kR},
    {Qt::Key_S, kS},
    {Qt::Key_T, kT},
    {Qt::Key_U, kU},
    {Qt::Key_V, kV},
    {Qt::Key_W, kW},
    {Qt::Key_X, kX},
    {Qt::Key_Y, kY},
    {Qt::Key_Z, kZ},
    {Qt::Key_0, k0},
    {Qt::Key_ParenRight, k0},
    {Qt::Key_1, k1},
    {Qt::Key_Exclam, k1},
    {Qt::Key_2, k2},
    {Qt::Key_At, k2},
    {Qt::Key_3, k3},
    {Qt::Key_NumberSign, k3},
    {Qt::Key_4, k4},
    {Qt::Key_Dollar, k4},
    {Qt::Key_5, k5},
    {Qt::Key_Percent, k5},
    {Qt::Key_6, k6},
    {Qt::Key_AsciiCircum, k6},
    {Qt::Key_7, k7},
    {Qt::Key_Ampersand, k7},
    {Qt::Key_8, k8},
    {Qt::Key_Asterisk, k8},
    {Qt::Key_9, k9},
    {Qt::Key_ParenLeft, k9},
    {Qt::Key_Minus, kMinus},
    {Qt::Key_Underscore, kMinus},
    {Qt::Key_Equal, kEqual},
    {Qt::Key_Plus, kEqual},
    {Qt::Key_BracketLeft, kLeftBracket},
    {Qt::Key_BraceLeft, kLeftBracket},
    {Qt::Key_BracketRight, kRightBracket},
    {Qt::Key_BraceRight, kRightBracket},
    {Qt::Key_Backslash, kBackslash},
    {Qt::Key_Bar, kBackslash},
    {Qt::Key_Semicolon, kSemicolon},
    {Qt::Key_Colon, kSemicolon},
    {Qt::Key_Apostrophe, kQuote},
    {Qt::Key_QuoteDbl, kQuote},
    {Qt::Key_Comma, kComma},
    {Qt::Key_Less, kComma},
    {Qt::Key_Period, kPeriod},
    {Qt::Key_Greater, kPeriod},
    {Qt::Key_Slash, kSlash},
    {Qt::Key_Question, kSlash},
    {Qt::Key_QuoteLeft, kGrave},
    {Qt::Key_AsciiTilde, kGrave},
    {Qt::Key_Return, kReturn},
    {Qt::Key_Enter, kReturn},
    {Qt::Key_Tab, kTab},
    {Qt::Key_Backtab, kTab},
    {Qt::Key_Space, kSpace},
    {Qt::Key_Backspace, kDelete},
    {Qt::Key_Delete, kForwardDelete},
    {Qt::Key_Escape, kEscape},
    {Qt::Key_Insert, kInsert},
    {Qt::Key_Home, kHome},
    {Qt::Key_End, kEnd},
    {Qt::Key_PageUp, kPageUp},
    {Qt::Key_PageDown, kPageDown},
    {Qt::Key_Left, kLeftArrow},
    {Qt::Key_Right, kRightArrow},
    {Qt::Key_Up, kUpArrow},
    {Qt::Key_Down, kDownArrow},
    {Qt::Key_Print, kPrint},
    // Alt+Print arrives as SysRq on most layouts.
    {Qt::Key_SysReq, kPrint},
    {Qt::Key_F1, kF1},
    {Qt::Key_F2, kF2},
    {Qt::Key_F3, kF3},
    {Qt::Key_F4, kF4},
    {Qt::Key_F5, kF5},
    {Qt::Key_F6, kF6},
    {Qt::Key_F7, kF7},
    {Qt::Key_F8, kF8},
    {Qt::Key_F9, kF9},
    {Qt::Key_F10, kF10},
    {Qt::Key_F11, kF11},
    {Qt::Key_F12, kF12},
};

constexpr int kModifierKeys[] = {
    Qt::Key_Shift,   Qt::Key_Control,    Qt::Key_Meta,        Qt::Key_Alt,     Qt::Key_AltGr,
    Qt::Key_Super_L, Qt::Key_Super_R,    Qt::Key_Hyper_L,     Qt::Key_Hyper_R, Qt::Key_CapsLock,
    Qt::Key_NumLock, Qt::Key_ScrollLock, Qt::Key_Mode_switch,
};

std::optional<int64_t> portableKeyFor(int qtKey) {
    const auto* found =
        std::find_if(std::begin(kKeys), std::end(kKeys),
                     [qtKey](const QtKeyPair& pair) { return pair.qtKey == qtKey; });
    if (found == std::end(kKeys)) {
        return std::nullopt;
    }
    return found->keyCode;
}

// Super arrives as Qt's Meta modifier on Linux.
KeyModifiers modifiersFor(int qtModifiers) {
    return {.command = (qtModifiers & Qt::ControlModifier) != 0,
            .shift = (qtModifiers & Qt::ShiftModifier) != 0,
            .option = (qtModifiers & Qt::AltModifier) != 0,
            .control = (qtModifiers & Qt::MetaModifier) != 0};
}

bool isModifierKey(int qtKey) {
    return std::find(std::begin(kModifierKeys), std::end(kModifierKeys), qtKey) !=
           std::end(kModifierKeys);
}

std::optional<KeystrokeAction> keystrokeFor(int qtKey, int qtModifiers) {
    const std::optional<int64_t> keyCode = portableKeyFor(qtKey);
    if (!keyCode) {
        return std::nullopt;
    }
    const KeyModifiers modifiers = modifiersFor(qtModifiers);
    return KeystrokeAction{*keyCode, modifiers, shortcutNotation(*keyCode, modifiers).value_or("")};
}

} // namespace

QVariantMap ShortcutRecorder::record(int qtKey, int qtModifiers, bool hold) const {
    if (isModifierKey(qtKey)) {
        return {};
    }
    std::optional<KeystrokeAction> keystroke = keystrokeFor(qtKey, qtModifiers);
    if (!keystroke) {
        const QString key = QKeySequence(qtKey).toString(QKeySequence::NativeText);
        return {{"error", tr("Bindwell cannot send %1. Press another shortcut.")
                              .arg(key.isEmpty() ? tr("this key") : key)}};
    }
    if (hold) {
        keystroke->displayName = "Hold " + keystroke->displayName;
        return actionMap(RemapAction::holdKeystroke(std::move(*keystroke)));
    }
    return actionMap(RemapAction::keystroke(std::move(*keystroke)));
}

} // namespace bindwell
