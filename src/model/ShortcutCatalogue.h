// Any thread; no state of its own.
#pragma once

#include "model/RemapAction.h"

#include <string_view>
#include <vector>

namespace bindwell {

// The preset keystrokes a user can give a button, in the order the picker
// shows them. Labels are distinct across all groups.
[[nodiscard]] const std::vector<RemapAction>& commonShortcuts();
[[nodiscard]] const std::vector<RemapAction>& screenshotShortcuts();
[[nodiscard]] const std::vector<RemapAction>& windowManagementShortcuts();
[[nodiscard]] const std::vector<RemapAction>& navigationAndFilesShortcuts();
[[nodiscard]] const std::vector<RemapAction>& systemShortcuts();

struct PresetGroup {
    std::string_view title;
    const std::vector<RemapAction>& presets;
};

// The picker's first group, the payload-free actions, comes before these.
inline constexpr std::string_view kFixedActionsTitle = "Actions";

// All five groups in display order, with their titles.
[[nodiscard]] const std::vector<PresetGroup>& presetGroups();

} // namespace bindwell
