#include "model/RemapAction.h"

#include "model/ShortcutCatalogue.h"

#include <array>
#include <stdexcept>

namespace bindwell {
namespace {

struct KindInfo {
    RemapAction::Kind kind;
    std::string_view caseName;
    std::string displayName;
    std::string_view symbolName;
};

const std::array<KindInfo, 12>& kindTable() {
    using K = RemapAction::Kind;
    static const std::array<KindInfo, 12> table{{
        {K::none, "none", "Default (No Remap)", "arrow.uturn.right"},
        {K::disabled, "disabled", "Disabled (Block)", "xmark.circle"},
        {K::fnKey, "fnKey", "Fn Key (Hold)", "mic.fill"},
        {K::holdLeftClick, "holdLeftClick", "Hold Left Click (Drag)", "cursorarrow.click.2"},
        {K::holdRightClick, "holdRightClick", "Hold Right Click", "cursorarrow.click"},
        {K::keystroke, "keystroke", "", "keyboard"},
        {K::enterKey, "enterKey", "Enter / Return", "return"},
        {K::escapeKey, "escapeKey", "Escape", "escape"},
        {K::spaceBar, "spaceBar", "Space Bar", "space"},
        {K::tabKey, "tabKey", "Tab", "arrow.right.to.line"},
        {K::undoRedo, "undoRedo", "Undo (Ctrl+Z)", "arrow.uturn.backward"},
        {K::holdKeystroke, "holdKeystroke", "", "arrow.down.circle"},
    }};
    return table;
}

const KindInfo& infoOf(RemapAction::Kind kind) {
    return kindTable()[static_cast<size_t>(kind)];
}

} // namespace

RemapAction RemapAction::keystroke(KeystrokeAction keystroke) {
    return withKeystroke(Kind::keystroke, std::move(keystroke));
}

RemapAction RemapAction::holdKeystroke(KeystrokeAction keystroke) {
    return withKeystroke(Kind::holdKeystroke, std::move(keystroke));
}

RemapAction RemapAction::withKeystroke(Kind kind, KeystrokeAction keystroke) {
    if (kind != Kind::keystroke && kind != Kind::holdKeystroke) {
        throw std::invalid_argument("only the keystroke kinds carry a keystroke");
    }
    RemapAction action(kind);
    action.keystroke_ = std::move(keystroke);
    return action;
}

RemapAction RemapAction::payloadFree(Kind kind) {
    if (kind == Kind::keystroke || kind == Kind::holdKeystroke) {
        throw std::invalid_argument("a keystroke action needs its keystroke");
    }
    return RemapAction(kind);
}

const std::string& RemapAction::displayName() const {
    return hasKeystroke() ? keystroke_->displayName : infoOf(kind_).displayName;
}

std::string_view RemapAction::symbolName() const {
    return infoOf(kind_).symbolName;
}

const std::vector<RemapAction::Kind>& RemapAction::payloadFreeKinds() {
    static const std::vector<Kind> kinds{
        Kind::none,     Kind::disabled,  Kind::fnKey,    Kind::holdLeftClick, Kind::holdRightClick,
        Kind::enterKey, Kind::escapeKey, Kind::spaceBar, Kind::tabKey,        Kind::undoRedo};
    return kinds;
}

std::vector<RemapAction> RemapAction::allCases() {
    std::vector<RemapAction> cases;
    for (Kind kind : payloadFreeKinds()) {
        cases.push_back(RemapAction(kind));
    }
    const auto& common = commonShortcuts();
    cases.insert(cases.end(), common.begin(), common.end());
    return cases;
}

std::string_view RemapAction::caseName(Kind kind) {
    return infoOf(kind).caseName;
}

std::optional<RemapAction::Kind> RemapAction::kindFromCaseName(std::string_view name) {
    for (const KindInfo& info : kindTable()) {
        if (info.caseName == name) {
            return info.kind;
        }
    }
    return std::nullopt;
}

} // namespace bindwell
