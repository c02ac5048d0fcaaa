// Any thread; no state of its own.
#pragma once

#include "engine/ports/EventTap.h"
#include "platform/linux/EvdevEvent.h"

#include <optional>

namespace bindwell::linuxplatform {

// The tap event an evdev key event stands for: BTN_MIDDLE/SIDE/EXTRA are the
// extra buttons 3/4/5, a consumer key is a media key of its usage (the engine
// decides which media keys it cares about). Autorepeats and every other
// event have no tap form.
[[nodiscard]] std::optional<TapEvent> tapEventFor(const EvdevEvent& event);

} // namespace bindwell::linuxplatform
