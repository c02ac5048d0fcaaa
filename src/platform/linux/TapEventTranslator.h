#pragma once

#include "engine/ports/EventTap.h"
#include "platform/linux/EvdevEvent.h"

#include <optional>

namespace bindwell::linuxplatform {

// The tap event an evdev key event stands for: BTN_MIDDLE/SIDE/EXTRA become
// other-mouse events with button numbers 2/3/4, the six media keys become
// system-defined media-key events. Autorepeats and every other event have
// no tap form.
[[nodiscard]] std::optional<TapEvent> tapEventFor(const EvdevEvent& event);

} // namespace bindwell::linuxplatform
