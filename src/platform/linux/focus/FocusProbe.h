// Main thread only.
#pragma once

#include "engine/ports/FocusSource.h"

#include <memory>

namespace bindwell::linuxplatform {

// The focus source of the running desktop. Tries KWin, wlroots, GNOME Shell
// and X11 in that order and takes the first that works; when none does, logs
// why once and returns a source that reports nothing. Never null.
[[nodiscard]] std::unique_ptr<FocusSource> openFocusSource();

} // namespace bindwell::linuxplatform
