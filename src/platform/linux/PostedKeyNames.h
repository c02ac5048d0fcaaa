// Any thread.
#pragma once

#include "engine/core/OutputEvent.h"
#include "model/RemapAction.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bindwell::linuxplatform {

// What an action posts on Linux, written with the kernel's input event code
// names: the keys joined by "+", modifiers first ("KEY_LEFTCTRL+KEY_C");
// "hold " before what a held action keeps down ("hold BTN_LEFT"); "passthrough"
// for the button's own function and "nothing" for a blocked button.
[[nodiscard]] std::string describePostedKeys(const RemapAction& action);

// One posted event in the same names: "KEY_LEFTCTRL+KEY_C down", "BTN_LEFT up".
[[nodiscard]] std::string describeOutputEvent(const OutputEvent& event);

// The EV_KEY code of a kernel name ("KEY_VOLUMEUP", "BTN_SIDE"), if there is one.
[[nodiscard]] std::optional<uint16_t> keyCodeNamed(std::string_view name);

} // namespace bindwell::linuxplatform
