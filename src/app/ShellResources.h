// Any thread; constants.
#pragma once

// Paths of the shell's compiled-in resources.
namespace bindwell::shellresources {

inline constexpr const char* logo = ":/bindwell/MenuBarBindwell.svg";
inline constexpr const char* setupWindow = "qrc:/bindwell/shell/SetupWindow.qml";
inline constexpr const char* menuPopup = "qrc:/bindwell/shell/MenuPopup.qml";

} // namespace bindwell::shellresources
