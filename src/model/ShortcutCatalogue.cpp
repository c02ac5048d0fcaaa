#include "model/ShortcutCatalogue.h"

#include "model/VirtualKeyCodes.h"

namespace bindwell {
namespace {

constexpr KeyModifiers kCommand{.command = true};
constexpr KeyModifiers kCommandShift{.command = true, .shift = true};
constexpr KeyModifiers kCommandShiftControl{.command = true, .shift = true, .control = true};
constexpr KeyModifiers kCommandOption{.command = true, .option = true};
constexpr KeyModifiers kCommandControl{.command = true, .control = true};

RemapAction preset(int64_t keyCode, KeyModifiers modifiers, const char* label) {
    return RemapAction::keystroke({keyCode, modifiers, label});
}

} // namespace

using namespace vk;

const std::vector<RemapAction>& commonShortcuts() {
    static const std::vector<RemapAction> presets{
        preset(kC, kCommand, "⌘C Copy"),
        preset(kV, kCommand, "⌘V Paste"),
        preset(kX, kCommand, "⌘X Cut"),
        preset(kZ, kCommand, "⌘Z Undo"),
        preset(kZ, kCommandShift, "⌘⇧Z Redo"),
        preset(kA, kCommand, "⌘A Select All"),
        preset(kF, kCommand, "⌘F Find"),
        preset(kS, kCommand, "⌘S Save"),
        preset(kSpace, kCommand, "⌘Space Spotlight"),
        preset(kQ, kCommand, "⌘Q Quit App"),
        preset(kW, kCommand, "⌘W Close Window"),
        preset(kT, kCommand, "⌘T New Tab"),
    };
    return presets;
}

const std::vector<RemapAction>& screenshotShortcuts() {
    static const std::vector<RemapAction> presets{
        preset(k4, kCommandShift, "⌘⇧4 Screenshot Region"),
        preset(k4, kCommandShiftControl, "⌘⇧⌃4 Screenshot to Clipboard"),
        preset(k3, kCommandShift, "⌘⇧3 Full Screenshot"),
        preset(k5, kCommandShift, "⌘⇧5 Screenshot/Recording"),
    };
    return presets;
}

const std::vector<RemapAction>& windowManagementShortcuts() {
    static const std::vector<RemapAction> presets{
        preset(kH, kCommand, "⌘H Hide App"),
        preset(kM, kCommand, "⌘M Minimize"),
        preset(kF, kCommandControl, "⌃⌘F Full Screen Toggle"),
        preset(kTab, kCommand, "⌘Tab App Switcher"),
        preset(kGrave, kCommand, "⌘` Switch Window"),
        preset(kW, kCommandOption, "⌘⌥W Close All Windows"),
        preset(kH, kCommandOption, "⌘⌥H Hide Others"),
        preset(kM, kCommandOption, "⌘⌥M Minimize All"),
    };
    return presets;
}

const std::vector<RemapAction>& navigationAndFilesShortcuts() {
    static const std::vector<RemapAction> presets{
        preset(kG, kCommand, "⌘G Find Again"),
        preset(kG, kCommandShift, "⌘⇧G Find Previous"),
        preset(kO, kCommand, "⌘O Open"),
        preset(kP, kCommand, "⌘P Print"),
        preset(kComma, kCommand, "⌘, Preferences"),
        preset(kN, kCommandShift, "⌘⇧N New Folder"),
    };
    return presets;
}

const std::vector<RemapAction>& systemShortcuts() {
    static const std::vector<RemapAction> presets{
        preset(kEscape, kCommandOption, "⌘⌥Esc Force Quit"),
        preset(kSpace, kCommandControl, "⌃⌘Space Emoji Picker"),
        preset(kN, kCommand, "⌘N New"),
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
