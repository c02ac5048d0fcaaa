#pragma once

#include "model/RemapAction.h"

#include <string>

namespace bindwell::linuxplatform {

// What an action posts on Linux, written with the kernel's input event code
// names: the keys joined by "+", modifiers first ("KEY_LEFTCTRL+KEY_C");
// "hold " before what a held action keeps down ("hold BTN_LEFT"); "passthrough"
// for the button's own function and "nothing" for a blocked button.
[[nodiscard]] std::string describePostedKeys(const RemapAction& action);

} // namespace bindwell::linuxplatform
