// The presets a Linux user can give a button. Each one does what its label
// says under the stock shortcuts of both GNOME and KDE Plasma; where the two
// desktops disagree (maximize, show desktop, region screenshots, workspaces)
// the preset is left out rather than working on one of them only. The label's
// combination is written from the key and modifiers the preset posts, so the
// two can never drift apart.
#include "model/ShortcutCatalogue.h"

#include "model/KeyNotation.h"
#include "model/VirtualKeyCodes.h"

namespace bindwell {
namespace {

constexpr KeyModifiers kPlain{};
constexpr KeyModifiers kCtrl{.command = true};
constexpr KeyModifiers kCtrlShift{.command = true, .shift = true};
constexpr KeyModifiers kAlt{.option = true};
constexpr KeyModifiers kShift{.shift = true};
constexpr KeyModifiers kSuper{.control = true};

RemapAction preset(int64_t keyCode, KeyModifiers modifiers, std::string_view description) {
    std::string label = shortcutNotation(keyCode, modifiers).value_or("");
    label.append(" ").append(description);
    return RemapAction::keystroke({keyCode, modifiers, std::move(label)});
}

} // namespace

using namespace vk;

const std::vector<RemapAction>& commonShortcuts() {
    static const std::vector<RemapAction> presets{
        preset(kC, kCtrl, "Copy"),
        preset(kV, kCtrl, "Paste"),
        preset(kX, kCtrl, "Cut"),
        preset(kZ, kCtrl, "Undo"),
        preset(kZ, kCtrlShift, "Redo"),
        preset(kA, kCtrl, "Select All"),
        preset(kF, kCtrl, "Find"),
        preset(kS, kCtrl, "Save"),
        preset(kN, kCtrl, "New"),
        preset(kQ, kCtrl, "Quit App"),
        preset(kW, kCtrl, "Close Tab/Window"),
        preset(kT, kCtrl, "New Tab"),
    };
    return presets;
}

const std::vector<RemapAction>& screenshotShortcuts() {
    static const std::vector<RemapAction> presets{
        preset(kPrint, kPlain, "Screenshot"),
        preset(kPrint, kShift, "Full Screenshot"),
    };
    return presets;
}

const std::vector<RemapAction>& windowManagementShortcuts() {
    static const std::vector<RemapAction> presets{
        preset(kTab, kAlt, "Switch Apps"),         preset(kGrave, kAlt, "Switch App Windows"),
        preset(kF4, kAlt, "Close Window"),         preset(kLeftArrow, kSuper, "Tile Left"),
        preset(kRightArrow, kSuper, "Tile Right"),
    };
    return presets;
}

const std::vector<RemapAction>& navigationAndFilesShortcuts() {
    static const std::vector<RemapAction> presets{
        preset(kLeftArrow, kAlt, "Back"),        preset(kRightArrow, kAlt, "Forward"),
        preset(kUpArrow, kAlt, "Parent Folder"), preset(kO, kCtrl, "Open"),
        preset(kS, kCtrlShift, "Save As"),       preset(kP, kCtrl, "Print"),
    };
    return presets;
}

const std::vector<RemapAction>& systemShortcuts() {
    static const std::vector<RemapAction> presets{
        preset(kL, kSuper, "Lock Screen"),
        preset(kF2, kAlt, "Run Command"),
    };
    return presets;
}

const std::vector<PresetGroup>& presetGroups() {
    static const std::vector<PresetGroup> groups{
        {"Common Shortcuts", commonShortcuts()},
        {"Screenshots", screenshotShortcuts()},
        {"Window Management", windowManagementShortcuts()},
        {"Navigation & Files", navigationAndFilesShortcuts()},
        {"System", systemShortcuts()},
    };
    return groups;
}

} // namespace bindwell
