// Main thread only.
#pragma once

#include "engine/ports/HidDevice.h"
#include "platform/linux/InputNodeInfo.h"

#include <vector>

namespace bindwell::linuxplatform {

// The consumer-control and keyboard-key interfaces present now, as udev and
// sysfs describe them: no node is opened, so the scan needs no read access
// and never touches a node the input thread is reading. The interfaces
// answer their descriptions only; they cannot be seized.
[[nodiscard]] std::vector<HidDeviceRef> scanInterfaces();

// Whether the node is one the device picker may offer: a consumer-control
// interface, or a keyboard of a HID device (a presenter, a pedal, a
// receiver). A keyboard with no HID device above it is built in (a laptop's
// own, a power button) and is never offered.
[[nodiscard]] bool isOfferedInterface(const InputNodeInfo& info);

} // namespace bindwell::linuxplatform
