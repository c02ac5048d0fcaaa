// Any thread; no state of its own.
#pragma once

#include "model/DeviceProfile.h"

#include <cstdint>

namespace bindwell {

// A device without a layout of its own learns its buttons in the editor: each
// new key pressed there becomes a mapping labelled with the key's name that
// keeps doing what the key always did until another action is chosen. A
// learned mapping is an ordinary one; only its id says it was learned, so
// the file reads the same to every version.

[[nodiscard]] bool isLearnedMapping(const ButtonMapping& mapping);

// Whether every mapping of the profile was learned: a profile made for a
// device without a layout, or written by hand without buttons.
[[nodiscard]] bool learnsButtons(const DeviceProfile& profile);

// The mapping a press of the usage adds to the profile; on the keyboard page,
// with the modifiers the device held, a combination ("Ctrl+Z") of its own.
[[nodiscard]] ButtonMapping learnedMapping(const DeviceProfile& profile, int64_t usagePage,
                                           int64_t usageID, uint8_t modifiers = 0);

} // namespace bindwell
