// Any thread; plain values.
#pragma once

#include "model/KeystrokeAction.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bindwell {

// What a controller button does instead of its own function. Only the two
// keystroke cases carry data; every other case is fully described by its kind.
class RemapAction {
public:
    enum class Kind {
        none,
        disabled,
        fnKey,
        holdLeftClick,
        holdRightClick,
        keystroke,
        enterKey,
        escapeKey,
        spaceBar,
        tabKey,
        undoRedo,
        // A keystroke held down for as long as the button is: last, so that the
        // older kinds keep their places.
        holdKeystroke,
    };

    // The default action leaves the button alone.
    RemapAction() = default;

    static RemapAction none() { return RemapAction(Kind::none); }
    static RemapAction disabled() { return RemapAction(Kind::disabled); }
    static RemapAction fnKey() { return RemapAction(Kind::fnKey); }
    static RemapAction holdLeftClick() { return RemapAction(Kind::holdLeftClick); }
    static RemapAction holdRightClick() { return RemapAction(Kind::holdRightClick); }
    static RemapAction keystroke(KeystrokeAction keystroke);
    static RemapAction enterKey() { return RemapAction(Kind::enterKey); }
    static RemapAction escapeKey() { return RemapAction(Kind::escapeKey); }
    static RemapAction spaceBar() { return RemapAction(Kind::spaceBar); }
    static RemapAction tabKey() { return RemapAction(Kind::tabKey); }
    static RemapAction undoRedo() { return RemapAction(Kind::undoRedo); }
    static RemapAction holdKeystroke(KeystrokeAction keystroke);

    // Any case without a payload; throws std::invalid_argument for the two
    // keystroke cases, which cannot exist without theirs.
    static RemapAction payloadFree(Kind kind);
    // keystroke or holdKeystroke with the given payload; throws
    // std::invalid_argument for any other kind.
    static RemapAction withKeystroke(Kind kind, KeystrokeAction keystroke);

    [[nodiscard]] Kind kind() const { return kind_; }
    // keystroke or holdKeystroke.
    [[nodiscard]] bool hasKeystroke() const { return keystroke_.has_value(); }
    // Precondition: hasKeystroke().
    [[nodiscard]] const KeystrokeAction& keystrokeAction() const { return *keystroke_; }

    [[nodiscard]] const std::string& displayName() const;
    [[nodiscard]] std::string_view symbolName() const;

    // The ten payload-free kinds, in declaration order.
    [[nodiscard]] static const std::vector<Kind>& payloadFreeKinds();
    // The payload-free actions followed by the common shortcut presets; a new copy each call.
    [[nodiscard]] static std::vector<RemapAction> allCases();

    // The kind's name as written in configuration files ("holdLeftClick").
    [[nodiscard]] static std::string_view caseName(Kind kind);
    [[nodiscard]] static std::optional<Kind> kindFromCaseName(std::string_view name);

    friend bool operator==(const RemapAction&, const RemapAction&) = default;

private:
    explicit RemapAction(Kind kind) : kind_(kind) {}

    Kind kind_ = Kind::none;
    std::optional<KeystrokeAction> keystroke_;
};

} // namespace bindwell
